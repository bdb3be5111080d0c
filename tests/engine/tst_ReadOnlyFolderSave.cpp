// A page whose folder takes no new file (the page itself writable) is saved in place, and the
// save tells the host that it was not atomic. Root may write into any folder, so when the test
// runs as root it runs its case again in a child process as the user nobody (65534), in a
// folder that user owns.
#include "EngineTestSupport.h"

#include <QProcess>
#include <QStandardPaths>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kCannotDropRights = 77;
const char *const kChildFolder = "PELION_TEST_UNPRIVILEGED_FOLDER";

const QByteArray kPage = "<HTML><BODY>\n<P>Opening hours\n</BODY></HTML>\n";

bool makeOwnedFolder(const QString &path, uid_t owner, mode_t mode)
{
    const QByteArray native = QFile::encodeName(path);
    return QDir().mkpath(path) && ::chown(native.constData(), owner, owner) == 0 &&
           ::chmod(native.constData(), mode) == 0;
}

} // namespace

class tst_ReadOnlyFolderSave : public QObject
{
    Q_OBJECT

private slots:
    void pageInReadOnlyFolderIsSavedInPlace();

private:
    void saveInReadOnlyFolder(const QString &base);
};

void tst_ReadOnlyFolderSave::saveInReadOnlyFolder(const QString &base)
{
    const QString folder = base + QStringLiteral("/site");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/hours.htm");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(kPage), kPage.size());
    }
    const QByteArray nativeFolder = QFile::encodeName(folder);
    QVERIFY(::chmod(nativeFolder.constData(), 0555) == 0);
    struct Restore
    {
        QByteArray folder;
        ~Restore() { ::chmod(folder.constData(), 0755); }
    } restore{nativeFolder};
    // Without this the case would prove nothing: the folder must really refuse a new file.
    QFile probe(folder + QStringLiteral("/probe"));
    QVERIFY2(!probe.open(QIODevice::WriteOnly), "the read-only folder took a new file");

    EngineFixture f;
    QVERIFY(f.load(path));
    QVERIFY(f.select(QStringLiteral("hours")));
    f.key(Qt::Key_End);
    f.type(QStringLiteral("!"));
    QVERIFY(f.engine->IsModified());

    bool done = false, ok = false;
    QString note;
    f.engine->Save({}, [&](bool success, const QString &message) {
        ok = success;
        note = message;
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done, 60000);
    QVERIFY(ok);
    QCOMPARE(note, QStringLiteral("Saved in place: the folder is read-only, so the save was "
                                  "not atomic."));
    QVERIFY(!f.engine->IsModified());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    QVERIFY2(saved.contains("Opening hours!"), saved.constData());
    // Nothing was left beside the page (no temporary file could have been made, and none is).
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList{QStringLiteral("hours.htm")});
}

void tst_ReadOnlyFolderSave::pageInReadOnlyFolderIsSavedInPlace()
{
    if (qEnvironmentVariableIsSet(kChildFolder)) {
        saveInReadOnlyFolder(qEnvironmentVariable(kChildFolder));
        return;
    }
    if (::geteuid() != 0) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        saveInReadOnlyFolder(dir.path());
        return;
    }

    // As root: the same case in a child that runs as nobody, with a home, temporary and runtime
    // folder of its own.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString base = dir.path() + QStringLiteral("/nobody");
    for (const QString &sub : {QString(), QStringLiteral("/home"), QStringLiteral("/tmp"),
                               QStringLiteral("/run"), QStringLiteral("/work")})
        QVERIFY(makeOwnedFolder(base + sub, kNobody, sub == QLatin1String("/run") ? 0700 : 0755));
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildFolder), base + QStringLiteral("/work"));
    env.insert(QStringLiteral("HOME"), base + QStringLiteral("/home"));
    env.insert(QStringLiteral("TMPDIR"), base + QStringLiteral("/tmp"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), base + QStringLiteral("/run"));
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.remove(QStringLiteral("XDG_CACHE_HOME"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(base + QStringLiteral("/work"));
    child.setChildProcessModifier([] {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
            ::setresuid(kNobody, kNobody, kNobody) != 0)
            ::_exit(kCannotDropRights);
    });
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("pageInReadOnlyFolderIsSavedInPlace")});
    if (!child.waitForStarted(30000))
        QSKIP("the test program cannot be started as nobody (is its folder readable by all?)");
    QVERIFY(child.waitForFinished(180000));
    const QByteArray output = child.readAll();
    if (child.exitStatus() == QProcess::NormalExit && child.exitCode() == kCannotDropRights)
        QSKIP("this machine does not let the test run a child as nobody");
    if (child.exitStatus() == QProcess::NormalExit && child.exitCode() == 127)
        QSKIP("the test program cannot be started as nobody (is its folder readable by all?)");
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
}

PELION_ENGINE_TEST_MAIN(tst_ReadOnlyFolderSave)
#include "tst_ReadOnlyFolderSave.moc"
