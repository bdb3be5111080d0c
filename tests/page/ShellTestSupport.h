#pragma once

// Shared pieces of the shell's Qt tests: a recording stand-in for the editing component and a
// fixture that starts the application in a temporary program folder with every modal window
// (message boxes, dialogs, file dialogs) answered by the test.

#include "app/CPelionApp.h"
#include "frame/CMainFrame.h"
#include "page/CCEditSite.h"
#include "page/CCEditView.h"
#include "toolkit/CDialog.h"
#include "toolkit/CMDIChildWnd.h"
#include "toolkit/FileDialog.h"
#include "toolkit/FilePicker.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMdiArea>
#include <QMetaObject>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>
#include <QWidget>
#include <QtTest>

#include <deque>
#include <memory>

// One call of ExecEngineCommand as the view made it.
struct EngineCall
{
    int id;
    QVariant input;
    bool prompt;
    bool wantsOutput;
};

// Stands in for the editing component. The page "content" is a string: Load reads it from the
// file (a missing file fails the load at once, as the component does), Save writes it back to
// the current or the given file, InsertHtmlAtSelection appends to it. Flags, outputs and results
// of commands are set by the test; every execution is recorded.
class RecordingSite : public CCEditSite
{
public:
    explicit RecordingSite(QWidget *host)
        : CCEditSite(host)
    {
        all().append(this);
    }
    ~RecordingSite() override { all().removeAll(this); }

    static QList<RecordingSite *> &all()
    {
        static QList<RecordingSite *> sites;
        return sites;
    }

    bool Create() override
    {
        if (!createOk)
            return false;
        m_widget = new QWidget(Host());
        return true;
    }
    QWidget *Widget() const override { return m_widget; }

    bool Load(const QString &path, bool filtered, int filterFlags) override
    {
        loads.append(path);
        lastFiltered = filtered;
        lastFilterFlags = filterFlags;
        if (!path.isEmpty() && !path.startsWith(QLatin1String("http:"))) {
            std::string bytes;
            if (!util::ReadFile(fromQt(path), bytes))
                return false;
            content = toQt(bytes);
        } else {
            content.clear();
        }
        m_current = path;
        if (finishLoads) {
            const bool ok = loadFinishesOk;
            QMetaObject::invokeMethod(
                this, [this, ok] { ReportLoadFinished(ok); }, Qt::QueuedConnection);
        }
        return true;
    }

    void Save(const QString &path, SaveCallback done) override
    {
        const QString target = path.isEmpty() ? m_current : path;
        saves.append(target);
        bool ok = saveOk && !target.isEmpty() && !target.startsWith(QLatin1String("http:"));
        if (ok)
            ok = util::WriteFileAtomic(fromQt(target), fromQt(content));
        if (ok) {
            m_current = target;
            modified = false;
        }
        done(ok, ok ? QString() : QStringLiteral("nothing to save to"));
    }

    void SaveFiltered(const QString &path, int filterFlags, SaveCallback done) override
    {
        filteredSaves.append(path);
        lastFilterFlags = filterFlags;
        Save(path, std::move(done));
    }

    QString CurrentPath() const override { return m_current; }
    bool IsModified() const override { return modified; }

    int QueryEngineCommand(int id) const override { return flags.value(id, 0); }

    bool ExecEngineCommand(int id, const QVariant &input, QVariant *output, bool prompt) override
    {
        calls.append({id, input, prompt, output != nullptr});
        if (output)
            *output = outputs.value(id);
        return results.value(id, true);
    }

    bool InsertHtmlAtSelection(const QString &fragment) override
    {
        if (!insertOk)
            return false;
        inserted.append(fragment);
        content += fragment;
        return true;
    }

    bool SetBodyAttribute(int attribute, const QVariant &value) override
    {
        bodyAttributes.insert(attribute, value);
        return true;
    }

    void Close() override { closed = true; }

    // Executions of one engine command, in order.
    QList<EngineCall> callsOf(int id) const
    {
        QList<EngineCall> found;
        for (const EngineCall &call : calls) {
            if (call.id == id)
                found.append(call);
        }
        return found;
    }
    // Executions that are commands, not state reads (no output wanted).
    QList<EngineCall> commandCalls() const
    {
        QList<EngineCall> found;
        for (const EngineCall &call : calls) {
            if (!call.wantsOutput)
                found.append(call);
        }
        return found;
    }

    void finishLoad(bool ok) { ReportLoadFinished(ok); }
    void reportTitle(const QString &title) { emit titleChanged(title); }
    void reportUpdate() { emit updateCommands(); }

    bool createOk = true;
    bool finishLoads = true;
    bool loadFinishesOk = true;
    bool saveOk = true;
    bool insertOk = true;
    bool closed = false;
    bool modified = false;
    bool lastFiltered = false;
    int lastFilterFlags = 0;
    QString content;
    QStringList loads;
    QStringList saves;
    QStringList filteredSaves;
    QStringList inserted;
    QList<EngineCall> calls;
    QHash<int, int> flags;
    QHash<int, QVariant> outputs;
    QHash<int, bool> results;
    QHash<int, QVariant> bodyAttributes;

private:
    QPointer<QWidget> m_widget;
    QString m_current;
};

// Starts the application in a fresh program folder and answers its modal windows.
class ShellFixture
{
public:
    explicit ShellFixture(bool recordingSite = true)
    {
        QVERIFY(m_folder.isValid());
        program = m_folder.path() + QLatin1Char('/');
        util::SetProgramFolder(fromQt(program));
        QSettings().remove(QStringLiteral("Recent File List"));
        ResetLastFolders();
        if (recordingSite)
            siteFactory = [](CCEditView *view) { return new RecordingSite(view); };
        SetMessageBoxHook([this](const MessageRequest &request) {
            messages.append(request);
            if (!messageAnswers.empty()) {
                const QMessageBox::StandardButton answer = messageAnswers.front();
                messageAnswers.pop_front();
                return answer;
            }
            return QMessageBox::Ok;
        });
        CDialog::SetModalHook([this](CDialog &dialog) {
            dialogTitles.append(dialog.windowTitle());
            if (!dialogAnswers.empty()) {
                auto answer = dialogAnswers.front();
                dialogAnswers.pop_front();
                return answer(dialog);
            }
            dialog.reject();
            return int(QDialog::Rejected);
        });
        SetFileDialogHook([this](const FileDialogRequest &request) {
            fileRequests.append(request);
            if (fileAnswers.empty())
                return QString();
            const QString answer = fileAnswers.front();
            fileAnswers.pop_front();
            return answer;
        });
    }

    ~ShellFixture()
    {
        if (app && app->MainFrame()) {
            // Nothing is saved on the way out.
            app->MainFrame()->SetSaveMode(CMainFrame::SaveNone);
            for (CMDIChildWnd *child : app->MainFrame()->OpenChildren())
                child->close();
            QCoreApplication::processEvents();
        }
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetMessageBoxHook({});
        CDialog::SetModalHook({});
        SetFileDialogHook({});
        util::SetProgramFolder("");
    }

    bool start(const QStringList &arguments = QStringList())
    {
        app = std::make_unique<CPelionApp>();
        app->SetSiteFactory(siteFactory);
        return app->InitInstance(arguments);
    }

    CMainFrame *frame() const { return app->MainFrame(); }

    // Opens a page as a command would and waits until its window is up (or gone).
    CCEditView *open(const QString &path)
    {
        const int before = frame()->OpenChildren().size();
        app->OpenDocumentFile(path);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        if (frame()->OpenChildren().size() <= before)
            return nullptr;
        return qobject_cast<CCEditView *>(frame()->OpenChildren().last()->GetActiveView());
    }

    // A page file in the program folder.
    QString writePage(const QString &name, const QByteArray &text)
    {
        const QString path = program + name;
        util::WriteFileAtomic(fromQt(path), text.toStdString());
        return path;
    }

    static RecordingSite *siteOf(CCEditView *view)
    {
        return view ? dynamic_cast<RecordingSite *>(view->Site()) : nullptr;
    }

    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Waits until every page window that is closing has gone.
    bool waitForPages(int count)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 20000) { // generous: a loaded machine is slow to close views
            settle();
            if (frame()->OpenChildren().size() == count)
                return true;
            QTest::qWait(5);
        }
        return false;
    }

    QString program;
    // What makes the page views' component hosts once the application starts (a recording
    // double unless the fixture was asked for the real component).
    CPelionApp::SiteFactory siteFactory;
    std::unique_ptr<CPelionApp> app;
    QList<MessageRequest> messages;
    std::deque<QMessageBox::StandardButton> messageAnswers;
    QStringList dialogTitles;
    std::deque<std::function<int(CDialog &)>> dialogAnswers;
    QList<FileDialogRequest> fileRequests;
    std::deque<QString> fileAnswers;

private:
    QTemporaryDir m_folder;
};

// Answers a dialog by pressing OK (the dialog validates first) and returns its result.
inline int AcceptDialog(CDialog &dialog)
{
    dialog.accept();
    return dialog.result();
}

// Runs the test object with the settings and configuration kept in a temporary folder, and the
// editing component's URL scheme registered before the application exists.
int RunShellTest(QObject *test, int argc, char **argv);
