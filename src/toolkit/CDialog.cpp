#include "toolkit/CDialog.h"

#include "toolkit/CDataExchange.h"

static CDialog::ModalHook s_modalHook;

CDialog::CDialog(QWidget *parent)
    : QDialog(parent)
{}

CDialog::~CDialog() = default;

void CDialog::SetModalHook(ModalHook hook)
{
    s_modalHook = std::move(hook);
}

int CDialog::DoModal()
{
    UpdateData(false);
    OnInitDialog();
    if (s_modalHook)
        return s_modalHook(*this);
    return exec();
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::accept()
{
    if (UpdateData(true))
        QDialog::accept();
}

void CDialog::DoDataExchange(CDataExchange &) {}

void CDialog::OnInitDialog() {}

void CDialog::showEvent(QShowEvent *event)
{
    // The size is final once the dialog shows (laid out, or as its code resized it).
    if (!m_resizable && !isMaximized())
        setFixedSize(size());
    QDialog::showEvent(event);
}
