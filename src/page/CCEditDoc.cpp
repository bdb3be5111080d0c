#include "page/CCEditDoc.h"

#include "pagetext/CHtmlText.h"
#include "propgrid/CPropCombo.h"
#include "propgrid/CPropCustColor.h"
#include "propgrid/CPropFile.h"
#include "propgrid/CPropStr.h"
#include "propgrid/PropStrings.h"
#include "sites/PagePath.h"
#include "sites/ResourceCopy.h"
#include "sites/SiteDefinitions.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

CCEditDoc::CCEditDoc(QObject *parent)
    : CDocument(parent)
{}

CCEditDoc::~CCEditDoc() = default;

bool CCEditDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    m_properties = PageProperties();
    m_pageHolds = m_properties;
    m_propertiesRead = false;
    BuildItems();
    return true;
}

void CCEditDoc::BuildItems()
{
    // The items read their variables now; built after the reset, they start from the defaults.
    m_items.RemoveAll();
    PageProperties &p = m_properties;
    m_items.Emplace<CPropStr>(&p.title, propstr::Title, false, 0);
    m_items.Emplace<CPropStr>(&p.description, propstr::Description, false, 0);
    m_items.Emplace<CPropStr>(&p.keywords, propstr::Keywords, false, 0);
    m_items.Emplace<CPropFile>(&p.backgroundSound, propstr::BackgroundSound, propstr::SoundFilter);
    auto *play = m_items.Emplace<CPropCombo>(&p.playSound, propstr::PlaySound);
    play->AddChoice(propstr::PlayContinuously, 0);
    play->AddChoice(propstr::PlayOnce, 1);
    m_items.Emplace<CPropFile>(&p.background, propstr::Background, propstr::ImageFilter);
    m_items.Emplace<CPropCustColor>(&p.backgroundColour, propstr::BackgroundColour);
    auto *style = m_items.Emplace<CPropCombo>(&p.backgroundStyle, propstr::BackgroundStyle);
    style->AddChoice(propstr::StyleFixed, 0);
    style->AddChoice(propstr::StyleMovable, 1);
    m_items.Emplace<CPropCustColor>(&p.linkColour, propstr::LinkColour);
    m_items.Emplace<CPropCustColor>(&p.visitedLinkColour, propstr::VisitedLinkColour);
    m_items.Emplace<CPropCustColor>(&p.activeLinkColour, propstr::ActiveLinkColour);
}

void CCEditDoc::OnCloseDocument()
{
    emit closing(this);
    CDocument::OnCloseDocument();
}

unsigned CCEditDoc::ReadPageProperties(const QString &path)
{
    const std::string file = LocalPagePath(fromQt(path));
    if (file.empty())
        return 0;
    std::string text;
    ReadTextFile(file, text); // an unreadable file reads as a page without properties
    const unsigned found = ReadPagePropertiesFromText(text, m_properties);
    m_pageHolds = m_properties;
    m_propertiesRead = true;
    ShowInPanel();
    return found;
}

void CCEditDoc::ShowInPanel()
{
    emit showInPanelRequested(this);
}

void CCEditDoc::PropertiesApplied()
{
    UpdateAllViews(nullptr, 2);
}

std::string CCEditDoc::ReferenceFolder() const
{
    const std::string file = LocalPagePath(fromQt(m_pagePath));
    return file.empty() ? std::string() : util::PathFolder(file);
}

std::string CCEditDoc::BrowseFolder() const
{
    const std::string file = LocalPagePath(fromQt(m_pagePath));
    if (file.empty())
        return {};
    const ResourceFolder folder = GetResourceFolder(file);
    return util::FolderExists(folder.folder) ? folder.folder : util::PathFolder(file);
}
