#include "page/CCEditSite.h"

#include "engine/CEditEngine.h"

#include <QLayout>
#include <QVBoxLayout>

CCEditSite::CCEditSite(QWidget *host)
    : QObject(host)
    , m_host(host)
{}

CCEditSite::~CCEditSite()
{
    if (m_engine)
        delete m_engine.data();
}

bool CCEditSite::Create()
{
    if (m_engine)
        return true;
    m_engine = new CEditEngine(m_host);
    if (!m_host->layout()) {
        auto *layout = new QVBoxLayout(m_host);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    m_host->layout()->addWidget(m_engine);
    connect(m_engine, &CEditEngine::loadFinished, this, &CCEditSite::ReportLoadFinished);
    connect(m_engine, &CEditEngine::updateCommands, this, &CCEditSite::updateCommands);
    connect(m_engine, &CEditEngine::progressText, this, &CCEditSite::progressText);
    connect(m_engine, &CEditEngine::titleChanged, this, &CCEditSite::titleChanged);
    return true;
}

QWidget *CCEditSite::Widget() const
{
    return m_engine.data();
}

CEditEngine *CCEditSite::Engine() const
{
    return m_engine.data();
}

void CCEditSite::ReportLoadFinished(bool ok)
{
    if (ok && !m_uiActivated) {
        m_uiActivated = true;
        emit uiActivated();
    }
    emit loadFinished(ok);
}

bool CCEditSite::Load(const QString &path, bool filtered, int filterFlags)
{
    return m_engine && m_engine->Load(path, filtered, filterFlags);
}

void CCEditSite::Save(const QString &path, SaveCallback done)
{
    if (!m_engine) {
        done(false, QStringLiteral("The page has no editor."));
        return;
    }
    m_engine->Save(path, std::move(done));
}

void CCEditSite::SaveFiltered(const QString &path, int filterFlags, SaveCallback done)
{
    if (!m_engine) {
        done(false, QStringLiteral("The page has no editor."));
        return;
    }
    m_engine->SaveFiltered(path, filterFlags, std::move(done));
}

QString CCEditSite::CurrentPath() const
{
    return m_engine ? m_engine->CurrentPath() : QString();
}

int CCEditSite::QueryEngineCommand(int id) const
{
    return m_engine ? m_engine->QueryEngineCommand(id) : 0;
}

bool CCEditSite::ExecEngineCommand(int id, const QVariant &input, QVariant *output, bool prompt)
{
    return m_engine && m_engine->ExecEngineCommand(id, input, output, prompt);
}

bool CCEditSite::InsertHtmlAtSelection(const QString &fragment)
{
    return m_engine && m_engine->InsertHtmlAtSelection(fragment);
}

bool CCEditSite::InsertHtmlInParentElement(const QString &where, const QString &fragment)
{
    return m_engine && m_engine->InsertHtmlInParentElement(where, fragment);
}

bool CCEditSite::SetBodyAttribute(int attribute, const QVariant &value)
{
    return m_engine &&
           m_engine->SetBodyAttribute(static_cast<CEditEngine::BodyAttribute>(attribute), value);
}

bool CCEditSite::SetTitle(const QString &title)
{
    if (!m_engine || !m_engine->IsLoaded())
        return false;
    m_engine->SetTitle(title);
    return true;
}

void CCEditSite::Close()
{
    if (!m_engine)
        return;
    m_engine->disconnect(this);
    m_engine->hide();
    m_engine->deleteLater();
    m_engine = nullptr;
}
