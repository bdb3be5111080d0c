#include "page/CPointDlg.h"

#include "toolkit/CDataExchange.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPointDlg *CPointDlg::CreateSetGrid(const QPoint &start, QWidget *parent)
{
    return new CPointDlg(QStringLiteral("Set Grid Cell Size"), QStringLiteral("&X:"), 1010,
                         QStringLiteral("&Y:"), 1003, 1024, start, parent);
}

CPointDlg *CPointDlg::CreateMoveObject(QWidget *parent)
{
    return new CPointDlg(QStringLiteral("Move Object"), QStringLiteral("By &X:"), 1011,
                         QStringLiteral("By &Y:"), 1012, 512, QPoint(0, 0), parent);
}

CPointDlg::CPointDlg(const QString &title, const QString &xLabel, int xId, const QString &yLabel,
                     int yId, int maximum, const QPoint &start, QWidget *parent)
    : CDialog(parent)
    , m_x(start.x())
    , m_y(start.y())
    , m_maximum(maximum)
    , m_xEdit(new QLineEdit(this))
    , m_yEdit(new QLineEdit(this))
{
    setWindowTitle(title);
    m_xEdit->setObjectName(QString::number(xId));
    m_yEdit->setObjectName(QString::number(yId));
    auto *form = new QFormLayout;
    auto *xText = new QLabel(xLabel, this);
    xText->setBuddy(m_xEdit);
    auto *yText = new QLabel(yLabel, this);
    yText->setBuddy(m_yEdit);
    form->addRow(xText, m_xEdit);
    form->addRow(yText, m_yEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPointDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPointDlg::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CPointDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_xEdit, m_x);
    DDV_MinMaxInt(dx, m_xEdit, m_x, 0, m_maximum);
    DDX_Text(dx, m_yEdit, m_y);
    DDV_MinMaxInt(dx, m_yEdit, m_y, 0, m_maximum);
}

void CPointDlg::OnInitDialog()
{
    m_xEdit->selectAll();
    m_xEdit->setFocus();
}
