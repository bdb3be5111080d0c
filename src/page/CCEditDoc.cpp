#include "page/CCEditDoc.h"

CCEditDoc::CCEditDoc(QObject *parent)
    : CDocument(parent)
{}

CCEditDoc::~CCEditDoc() = default;

bool CCEditDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    m_properties = PageProperties();
    m_propertiesRead = false;
    return true;
}

void CCEditDoc::OnCloseDocument()
{
    emit closing(this);
    CDocument::OnCloseDocument();
}

void CCEditDoc::ShowInPanel()
{
    emit showInPanelRequested(this);
}
