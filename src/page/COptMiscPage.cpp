#include "page/COptMiscPage.h"

#include "toolkit/CDataExchange.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

COptMiscPage::COptMiscPage(QWidget *parent)
    : CPropertyPage(QStringLiteral("Misc"), parent)
    , m_borders(new QCheckBox(QStringLiteral("Show &borders around objects with zero borders")))
    , m_metafiles(new QCheckBox(QStringLiteral("&Auto-save Metafiles when pasting")))
{
    auto *box = new QGroupBox(QStringLiteral("Misc"), this);
    auto *column = new QVBoxLayout(box);
    m_borders->setObjectName(QStringLiteral("1015"));
    column->addWidget(m_borders);
    m_metafiles->setObjectName(QStringLiteral("1020"));
    column->addWidget(m_metafiles);
    column->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
}

void COptMiscPage::DoDataExchange(CDataExchange &dx)
{
    DDX_Check(dx, m_borders, m_showBorders);
    DDX_Check(dx, m_metafiles, m_autoSaveMetafiles);
}
