#include "page/COptUIActivationPage.h"

#include "toolkit/CDataExchange.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

COptUIActivationPage::COptUIActivationPage(QWidget *parent)
    : CPropertyPage(QStringLiteral("UI Activation"), parent)
    , m_dtcs(new QCheckBox(QStringLiteral("Active &DTCs")))
    , m_activeX(new QCheckBox(QStringLiteral("Acitvate ActiveX &Controls")))
    , m_applets(new QCheckBox(QStringLiteral("Activate Java &Applets")))
{
    auto *box = new QGroupBox(QStringLiteral("UI Activation"), this);
    auto *column = new QVBoxLayout(box);
    m_dtcs->setObjectName(QStringLiteral("1014"));
    column->addWidget(m_dtcs);
    m_activeX->setObjectName(QStringLiteral("1015"));
    column->addWidget(m_activeX);
    m_applets->setObjectName(QStringLiteral("1016"));
    column->addWidget(m_applets);
    column->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
}

void COptUIActivationPage::DoDataExchange(CDataExchange &dx)
{
    DDX_Check(dx, m_dtcs, m_activateDTCs);
    DDX_Check(dx, m_activeX, m_activateActiveX);
    DDX_Check(dx, m_applets, m_activateApplets);
}
