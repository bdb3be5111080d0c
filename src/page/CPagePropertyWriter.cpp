#include "page/CPagePropertyWriter.h"

#include "engine/CEditEngine.h"
#include "insert/CBgSoundObject.h"
#include "page/CCEditDoc.h"
#include "page/CCEditSite.h"
#include "pagetext/CHtmlText.h"
#include "sites/PagePath.h"
#include "sites/ResourceCopy.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"

#include <QPointer>

namespace {

// 0xRRGGBB with blue in the low byte, as the page model takes colours.
int BlueLow(std::int32_t colour)
{
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

} // namespace

CPagePropertyWriter::CPagePropertyWriter(PagePropertyHost host, QObject *parent)
    : QObject(parent)
    , m_host(std::move(host))
{}

QString CPagePropertyWriter::Reference(const QString &value) const
{
    // A page-relative reference already names its file; a full path is copied into the site.
    if (value.isEmpty() || !value.startsWith(QLatin1Char('/')))
        return value;
    return toQt(CopyResourceToSite(fromQt(m_host.pagePath()), fromQt(value)));
}

QString CPagePropertyWriter::SetPageBackground(const QString &file, bool fixed)
{
    const QString reference = Reference(file);
    if (CCEditSite *site = m_host.site()) {
        site->SetBodyAttribute(int(CEditEngine::BodyAttribute::Background), reference);
        site->SetBodyAttribute(int(CEditEngine::BodyAttribute::BgProperties),
                               fixed ? QStringLiteral("fixed") : QString());
    }
    return reference;
}

void CPagePropertyWriter::WritePageProperties()
{
    CCEditDoc *doc = m_host.document();
    CCEditSite *site = m_host.site();
    if (!doc || !site)
        return;
    if (m_busy) {
        m_again = true;
        return;
    }
    PageProperties &props = doc->Properties();
    const unsigned changed = ChangedPageProperties(doc->PageHolds(), props);
    if (!changed)
        return;
    m_busy = true;
    bool referencesChanged = false;

    using Attr = CEditEngine::BodyAttribute;
    if (changed & pageprop::Background) {
        const QString reference =
            SetPageBackground(toQt(props.background), props.backgroundStyle == 0);
        referencesChanged = reference != toQt(props.background);
        props.background = fromQt(reference);
    } else if (changed & pageprop::BackgroundStyle) {
        site->SetBodyAttribute(int(Attr::BgProperties),
                               props.backgroundStyle == 0 ? QStringLiteral("fixed") : QString());
    }
    const struct
    {
        unsigned bit;
        Attr attribute;
        std::int32_t colour;
    } colours[] = {
        {pageprop::ActiveLinkColour, Attr::ALink, props.activeLinkColour},
        {pageprop::VisitedLinkColour, Attr::VLink, props.visitedLinkColour},
        {pageprop::LinkColour, Attr::Link, props.linkColour},
        {pageprop::BackgroundColour, Attr::BgColor, props.backgroundColour},
    };
    for (const auto &c : colours) {
        if (changed & c.bit)
            site->SetBodyAttribute(int(c.attribute), c.colour < 0 ? -1 : BlueLow(c.colour));
    }
    if (changed & pageprop::Title)
        site->SetTitle(toQt(props.title));
    if ((changed & pageprop::BackgroundSound) && !props.backgroundSound.empty()) {
        const QString reference = Reference(toQt(props.backgroundSound));
        referencesChanged = referencesChanged || reference != toQt(props.backgroundSound);
        props.backgroundSound = fromQt(reference);
    }
    if (referencesChanged)
        emit doc->propertiesRefreshed(doc);
    if (LocalPagePath(fromQt(m_host.pagePath())).empty()) {
        // A page without a file (new, or from a web address) keeps its changes in the page
        // model; the head tags wait until the page has a file to patch.
        PageProperties holds = props;
        holds.description = doc->PageHolds().description;
        holds.keywords = doc->PageHolds().keywords;
        holds.backgroundSound = doc->PageHolds().backgroundSound;
        holds.playSound = doc->PageHolds().playSound;
        doc->SetPageHolds(holds);
        Finish(true);
        return;
    }
    SaveThenPatch(changed & pageprop::HeadTags);
}

void CPagePropertyWriter::SaveThenPatch(unsigned headChanges)
{
    QPointer<CPagePropertyWriter> self(this);
    m_host.save([self, headChanges](bool ok) {
        if (!self)
            return;
        CCEditDoc *doc = self->m_host.document();
        if (!ok || !doc) {
            // The page keeps what it had; the values stay for another try.
            self->Finish(false);
            return;
        }
        const std::string path = LocalPagePath(fromQt(self->m_host.pagePath()));
        bool patched = false;
        if (headChanges && !path.empty()) {
            std::string text;
            bool cutAtZero = false;
            std::string error;
            if (ReadTextFile(path, text, &cutAtZero, &error) && !cutAtZero &&
                PatchPageHead(text, doc->Properties(), headChanges)) {
                patched = WriteTextFile(text, path, &error);
                if (!patched)
                    ShowMessageBox(self->m_host.window,
                                   QStringLiteral("The page properties could not be written.\n"
                                                  "%1\n%2")
                                       .arg(toQt(path), toQt(error)),
                                   QMessageBox::Ok, QMessageBox::Warning);
            }
        }
        doc->SetPageHolds(doc->Properties());
        if (!patched) {
            // The page on screen already shows every change (title and body attributes are
            // made in the page model), and the file was saved from it: a reload would only cost
            // time and the undo steps.
            self->Finish(true);
            return;
        }
        self->m_awaitingReload = true;
        self->m_host.reload();
    });
}

void CPagePropertyWriter::OnLoadFinished(bool ok)
{
    CCEditDoc *doc = m_host.document();
    if (m_awaitingReload) {
        m_awaitingReload = false;
        Finish(ok);
        return;
    }
    // Any other load (the first one, Reload, Save As followed by a reload) shows the page file's
    // own properties.
    if (ok && doc)
        doc->ReadPageProperties(m_host.pagePath());
}

void CPagePropertyWriter::Finish(bool ok)
{
    m_busy = false;
    emit written(ok);
    if (m_again) {
        m_again = false;
        WritePageProperties();
    }
}

void CPagePropertyWriter::InsertBackground(const QString &file, bool fixed)
{
    CCEditDoc *doc = m_host.document();
    if (!doc)
        return;
    const QString reference = SetPageBackground(file, fixed);
    PageProperties &props = doc->Properties();
    props.background = fromQt(reference);
    props.backgroundStyle = fixed ? 0 : 1;
    // The page model holds them now; the next write leaves them alone.
    PageProperties holds = doc->PageHolds();
    holds.background = props.background;
    holds.backgroundStyle = props.backgroundStyle;
    doc->SetPageHolds(holds);
    doc->ShowInPanel();
}

void CPagePropertyWriter::InsertBackgroundSound(const QString &file, bool loop)
{
    CCEditDoc *doc = m_host.document();
    if (!doc || !m_host.site() || m_busy)
        return;
    m_busy = true;
    PageProperties &props = doc->Properties();
    props.backgroundSound = fromQt(Reference(file));
    props.playSound = loop ? 0 : 1;
    QPointer<CPagePropertyWriter> self(this);
    m_host.save([self, loop](bool ok) {
        if (!self)
            return;
        CCEditDoc *doc = self->m_host.document();
        if (!ok || !doc) {
            self->Finish(false);
            return;
        }
        const std::string path = LocalPagePath(fromQt(self->m_host.pagePath()));
        CBgSoundObject sound;
        sound.m_strSource = doc->Properties().backgroundSound;
        sound.m_bLoop = loop;
        std::string text;
        bool cutAtZero = false;
        if (!path.empty() && ReadTextFile(path, text, &cutAtZero) && !cutAtZero) {
            // The page's own sound tag, in whatever case, is the one replaced.
            const std::vector<HtmlTag> tags = ScanHtmlTags(text);
            const auto it = std::find_if(tags.begin(), tags.end(),
                                         [](const HtmlTag &tag) { return tag.name == "bgsound"; });
            if (it != tags.end())
                text.replace(size_t(it->begin), size_t(it->end - it->begin), sound.GetHtml());
            else
                PatchPageHead(text, doc->Properties(), pageprop::BackgroundSound);
            WriteTextFile(text, path);
        }
        PageProperties holds = doc->PageHolds();
        holds.backgroundSound = doc->Properties().backgroundSound;
        holds.playSound = doc->Properties().playSound;
        doc->SetPageHolds(holds);
        doc->ShowInPanel();
        self->m_awaitingReload = true;
        self->m_host.reload();
    });
}
