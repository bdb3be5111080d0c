#include "page/COptFilterPage.h"

#include "toolkit/CDataExchange.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

COptFilterPage::COptFilterPage(QWidget *parent)
    : CPropertyPage(QStringLiteral("Source Filtering"), parent)
    , m_dtcs(new QCheckBox(QStringLiteral("&DTCs Available At Edit Time/Update on Save")))
    , m_serverScript(new QCheckBox(QStringLiteral("Preserve &Active Server Script On Save")))
    , m_sourceFormatting(new QCheckBox(QStringLiteral("Preserve &Source Code Formatting On Save")))
{
    auto *box = new QGroupBox(QStringLiteral("Source Filtering"), this);
    auto *column = new QVBoxLayout(box);
    m_dtcs->setObjectName(QStringLiteral("1004"));
    column->addWidget(m_dtcs);
    m_serverScript->setObjectName(QStringLiteral("1005"));
    column->addWidget(m_serverScript);
    m_sourceFormatting->setObjectName(QStringLiteral("1006"));
    column->addWidget(m_sourceFormatting);
    column->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
}

void COptFilterPage::DoDataExchange(CDataExchange &dx)
{
    DDX_Check(dx, m_dtcs, m_filterDTCs);
    DDX_Check(dx, m_serverScript, m_filterServerScript);
    DDX_Check(dx, m_sourceFormatting, m_filterSourceFormatting);
}
