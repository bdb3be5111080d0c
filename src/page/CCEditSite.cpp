#include "page/CCEditSite.h"

#include "engine/CEditEngine.h"
#include "toolkit/CommandIds.h"

#include <QApplication>
#include <QKeyEvent>

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
    connect(m_engine, &CEditEngine::contextMenuRequested, this, &CCEditSite::contextMenuRequested);
    // Chromium's input widget inside the component comes and goes with its pages, so the keys
    // are watched on their way to any widget of the component.
    qApp->installEventFilter(this);
    return true;
}

int CCEditSite::CommandForKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (modifiers != Qt::ControlModifier)
        return 0;
    switch (key) {
    case Qt::Key_K: // the component would delete to the end of the line
        return cmd::InsertLink;
    case Qt::Key_Y:
        return cmd::Redo;
    case Qt::Key_A:
        return cmd::SelectAll;
    case Qt::Key_P:
        return cmd::PrintToolbar;
    case Qt::Key_F:
        return cmd::Find;
    default:
        return 0;
    }
}

bool CCEditSite::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!m_engine || !widget || !(widget == m_engine || m_engine->isAncestorOf(widget)))
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const int id = CommandForKey(key->key(), key->modifiers());
    if (!id)
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Accepted: the press comes to the widget (and to us) instead of a shortcut.
        event->accept();
        return true;
    }
    if (!key->isAutoRepeat() || id == cmd::Redo)
        emit commandKey(id);
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

bool CCEditSite::IsModified() const
{
    return m_engine && m_engine->IsModified();
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
