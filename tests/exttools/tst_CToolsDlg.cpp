#include "ShellTestSupport.h"

#include "exttools/CToolsDlg.h"
#include "exttools/ToolsMenu.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/CommandIds.h"
#include "util/AppProfile.h"
#include "util/ProfileFile.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

// The dialog, the shared Tools menu and the start of a tool program (argv_dump, which writes
// its arguments to the file named by PELION_ARGV_OUT).
class tst_CToolsDlg : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void enablingAfterEachStepAndWhatCloseWrites();
    void menuOfTwoPageWindowsAfterAChange();
    void pagePathReachesTheToolAsOneArgument_data();
    void pagePathReachesTheToolAsOneArgument();
    void appMacroStartsTheProgramInTheProgramFolder();
    void toolsThatDoNothing();
    void onlyTheFirst26ToolsGetItems();

private:
    QString m_out;
};

namespace {

// The enabled controls of the dialog, in a fixed order.
QString Enabled(const CToolsDlg &dialog)
{
    const QList<QPair<QWidget *, const char *>> controls = {
        {dialog.CommandEdit(), "Command"},       {dialog.ArgumentsEdit(), "Arguments"},
        {dialog.BrowseButton(), "..."},          {dialog.UpdateButton(), "Update"},
        {dialog.CancelUpdateButton(), "Cancel"}, {dialog.NewButton(), "New"},
        {dialog.EditButton(), "Edit"},           {dialog.DeleteButton(), "Delete"}};
    QStringList on;
    for (const auto &[widget, name] : controls) {
        if (widget->isEnabled())
            on.append(QString::fromLatin1(name));
    }
    return on.join(QLatin1Char(' '));
}

const QString kEditing = QStringLiteral("Command Arguments ... Update Cancel");

void AddTool(ProfileFile &profile, const std::string &name, const std::string &cmd,
             const std::string &arg)
{
    std::vector<std::string> names = ToolList::Load(profile);
    names.push_back(name);
    ToolList::Store(profile, names);
    ToolList::WriteTool(profile, name, {cmd, arg});
}

QStringList MenuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QAction *MenuItem(QMenu *menu, int id)
{
    for (QAction *action : menu->actions()) {
        if (CMDIFrameWnd::CommandIdOf(action) == id)
            return action;
    }
    return nullptr;
}

// The arguments argv_dump wrote, once the file is there.
QStringList DumpedArguments(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no output>")};
    QStringList args;
    for (const QByteArray &arg : file.readAll().split('\0'))
        args.append(QString::fromUtf8(arg));
    args.removeLast(); // after the last NUL
    return args;
}

} // namespace

void tst_CToolsDlg::init()
{
    m_out = QDir::tempPath() +
            QStringLiteral("/pelion-tools-argv-%1").arg(QCoreApplication::applicationPid());
    QFile::remove(m_out);
    qputenv("PELION_ARGV_OUT", QFile::encodeName(m_out));
}

// Every step of the dialog but Close, on the tools Alpha, Beta and Omega.
void WorkThroughSteps(CToolsDlg &dialog, ShellFixture &shell, ProfileFile &profile)
{
    // Opening.
    QCOMPARE(dialog.Names(), (QStringList{"Alpha", "Beta", "Omega"}));
    QCOMPARE(Enabled(dialog), QStringLiteral("New"));

    // Selecting shows the stored values.
    dialog.List()->setCurrentRow(1);
    QCOMPARE(dialog.CommandEdit()->text(), QStringLiteral("/usr/bin/beta"));
    QCOMPARE(dialog.ArgumentsEdit()->text(), QStringLiteral("-v"));
    QCOMPARE(Enabled(dialog), QStringLiteral("New Edit Delete"));

    // Edit, change, Cancel Update discards.
    dialog.EditButton()->click();
    QCOMPARE(Enabled(dialog), kEditing);
    QCOMPARE(dialog.CommandEdit()->selectedText(), QStringLiteral("/usr/bin/beta"));
    dialog.CommandEdit()->setText(QStringLiteral("/changed"));
    dialog.CancelUpdateButton()->click();
    QCOMPARE(dialog.CommandEdit()->text(), QStringLiteral("/usr/bin/beta"));
    QCOMPARE(Enabled(dialog), QStringLiteral("New Edit Delete"));

    // New: the name is asked for, appended and selected, the edits are empty.
    shell.dialogAnswers.push_back([](CDialog &input) {
        static_cast<CInputDlg &>(input).Edit()->setText(QStringLiteral("Gamma ray"));
        return AcceptDialog(input);
    });
    dialog.NewButton()->click();
    QCOMPARE(shell.dialogTitles.last(), QStringLiteral("Name of the new tool"));
    QCOMPARE(dialog.Names(), (QStringList{"Alpha", "Beta", "Omega", "Gamma ray"}));
    QCOMPARE(dialog.List()->currentRow(), 3);
    QCOMPARE(dialog.CommandEdit()->text(), QString());
    QCOMPARE(dialog.ArgumentsEdit()->text(), QString());
    QCOMPARE(Enabled(dialog), kEditing);

    // "..." puts the chosen program into the command edit.
    shell.fileAnswers.push_back(QStringLiteral("/opt/gamma/bin/gamma"));
    dialog.BrowseButton()->click();
    QCOMPARE(shell.fileRequests.size(), 1);
    QVERIFY(shell.fileRequests.last().open);
    QVERIFY(shell.fileRequests.last().mustExist);
    QCOMPARE(dialog.CommandEdit()->text(), QStringLiteral("/opt/gamma/bin/gamma"));
    QVERIFY(dialog.UpdateButton()->isEnabled());

    // Update stores the values in the tool's section and stays open.
    dialog.ArgumentsEdit()->setText(QStringLiteral("--page $(FileName)"));
    dialog.UpdateButton()->click();
    QCOMPARE(Enabled(dialog), QStringLiteral("New Edit Delete"));
    const ToolList::Tool gamma = ToolList::ReadTool(profile, "Gamma ray");
    QCOMPARE(gamma.cmd, std::string("/opt/gamma/bin/gamma"));
    QCOMPARE(gamma.arg, std::string("--page $(FileName)"));

    // Delete asks; Cancel keeps the entry, OK removes it and leaves nothing selected.
    dialog.List()->setCurrentRow(0);
    shell.messageAnswers.push_back(QMessageBox::Cancel);
    dialog.DeleteButton()->click();
    QCOMPARE(shell.messages.last().text, QStringLiteral("Delete the selected entry?"));
    QCOMPARE(dialog.Names().size(), 4);
    shell.messageAnswers.push_back(QMessageBox::Ok);
    dialog.DeleteButton()->click();
    QCOMPARE(dialog.Names(), (QStringList{"Beta", "Omega", "Gamma ray"}));
    QCOMPARE(dialog.CommandEdit()->text(), QString());
    QCOMPARE(Enabled(dialog), QStringLiteral("New"));
    dialog.List()->setCurrentRow(1);
    shell.messageAnswers.push_back(QMessageBox::Ok);
    dialog.DeleteButton()->click();
}

void tst_CToolsDlg::enablingAfterEachStepAndWhatCloseWrites()
{
    ShellFixture shell;
    QVERIFY(shell.start() && shell.waitForPages(0));
    ProfileFile &profile = util::AppProfile();
    AddTool(profile, "Alpha", "/usr/bin/alpha", "$(FileName)");
    AddTool(profile, "Beta", "/usr/bin/beta", "-v");
    AddTool(profile, "Omega", "/usr/bin/omega", "");

    CToolsDlg dialog(profile);
    shell.dialogAnswers.push_back([&](CDialog &) {
        WorkThroughSteps(dialog, shell, profile);
        dialog.CloseButton()->click(); // Close.
        return dialog.result();
    });
    dialog.DoModal();
    QVERIFY(!QTest::currentTestFailed());

    ProfileFile written;
    QVERIFY(written.Load(util::AppProfilePath()));
    const ProfileFile::Section tools = written.Sections().at("Tools");
    QCOMPARE(tools, (ProfileFile::Section{{"Items", "2"}, {"0", "Beta"}, {"1", "Gamma ray"}}));
    // The deleted tools keep their sections.
    QCOMPARE(ToolList::ReadTool(written, "Alpha").cmd, std::string("/usr/bin/alpha"));
    QCOMPARE(ToolList::ReadTool(written, "Alpha").arg, std::string("$(FileName)"));
    QCOMPARE(ToolList::ReadTool(written, "Omega").cmd, std::string("/usr/bin/omega"));
    QCOMPARE(ToolList::ReadTool(written, "Gamma ray").cmd, std::string("/opt/gamma/bin/gamma"));
}

void tst_CToolsDlg::menuOfTwoPageWindowsAfterAChange()
{
    ShellFixture shell;
    QVERIFY(shell.start() && shell.waitForPages(0));
    CCEditView *first = shell.open(shell.writePage(QStringLiteral("one.html"), "<p>1</p>"));
    CCEditView *second = shell.open(shell.writePage(QStringLiteral("two.html"), "<p>2</p>"));
    QVERIFY(first && second);
    QMenu *menu = shell.frame()->ToolsMenu();
    QCOMPARE(MenuTexts(menu), (QStringList{"&Add/Edit...", "-"}));

    // The tool is added from the second window's Tools menu.
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        auto &tools = static_cast<CToolsDlg &>(dialog);
        shell.dialogAnswers.push_back([](CDialog &input) {
            static_cast<CInputDlg &>(input).Edit()->setText(QStringLiteral("Dump"));
            return AcceptDialog(input);
        });
        tools.NewButton()->click();
        tools.CommandEdit()->setText(QStringLiteral(ARGV_DUMP_PATH));
        tools.ArgumentsEdit()->setText(QStringLiteral("$(FileName)"));
        tools.UpdateButton()->click();
        tools.CloseButton()->click();
        return tools.result();
    });
    QVERIFY(shell.frame()->RouteCommand(cmd::ToolsAddEdit));
    QCOMPARE(MenuTexts(menu), (QStringList{"&Add/Edit...", "-", "Dump"}));

    // Both windows show it, and it runs on the page of the active one.
    for (CCEditView *view : {first, second}) {
        QFile::remove(m_out);
        for (CMDIChildWnd *child : shell.frame()->OpenChildren()) {
            if (child->GetActiveView() == view)
                shell.frame()->ActivateChild(child);
        }
        shell.settle();
        QCOMPARE(shell.frame()->ActiveView(), view);
        QCOMPARE(MenuTexts(shell.frame()->ToolsMenu()), (QStringList{"&Add/Edit...", "-", "Dump"}));
        QAction *item = MenuItem(shell.frame()->ToolsMenu(), cmd::ToolFirst);
        QVERIFY(item);
        item->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_out), 20000);
        QCOMPARE(DumpedArguments(m_out), QStringList{view->PagePath()});
    }

    // Deleting the tool removes its item again.
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        auto &tools = static_cast<CToolsDlg &>(dialog);
        tools.List()->setCurrentRow(0);
        shell.messageAnswers.push_back(QMessageBox::Ok);
        tools.DeleteButton()->click();
        tools.CloseButton()->click();
        return tools.result();
    });
    QVERIFY(shell.frame()->RouteCommand(cmd::ToolsAddEdit));
    QCOMPARE(MenuTexts(menu), (QStringList{"&Add/Edit...", "-"}));
    QCOMPARE(ToolList::ReadTool(util::AppProfile(), "Dump").cmd, std::string(ARGV_DUMP_PATH));
}

void tst_CToolsDlg::pagePathReachesTheToolAsOneArgument_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("spaces") << QStringLiteral("my site") << QStringLiteral("a b.html");
    QTest::newRow("quote") << QStringLiteral("it's \"here\"") << QStringLiteral("say \"hi\".html");
    QTest::newRow("shell characters")
        << QStringLiteral("x; touch pwned") << QStringLiteral("$(App) `id` & | >o.html");
    QTest::newRow("leading quote") << QStringLiteral("\" q") << QStringLiteral("\"\".html");
}

void tst_CToolsDlg::pagePathReachesTheToolAsOneArgument()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    ShellFixture shell;
    QVERIFY(shell.start() && shell.waitForPages(0));
    QVERIFY(QDir(shell.program).mkpath(folder));
    CCEditView *view = shell.open(shell.writePage(folder + QLatin1Char('/') + name, "<p>x</p>"));
    QVERIFY(view);
    AddTool(util::AppProfile(), "Dump", ARGV_DUMP_PATH, "$(FileName)");

    const ToolsMenu::Launch launch = ToolsMenu::Run(util::AppProfile(), 0, view->PagePath());
    QVERIFY(launch.started);
    QCOMPARE(launch.program, QStringLiteral(ARGV_DUMP_PATH));
    QCOMPARE(launch.arguments, QStringList{view->PagePath()});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_out), 20000);
    QCOMPARE(DumpedArguments(m_out), QStringList{view->PagePath()});
    // Nothing of the name was run as a command.
    QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("pwned"))));
    QVERIFY(!QFile::exists(QDir::current().filePath(QStringLiteral("o.html"))));
}

void tst_CToolsDlg::appMacroStartsTheProgramInTheProgramFolder()
{
    ShellFixture shell;
    QVERIFY(shell.start() && shell.waitForPages(0));
    const QString copy = shell.program + QStringLiteral("dump-tool");
    QVERIFY(QFile::copy(QStringLiteral(ARGV_DUMP_PATH), copy));
    QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    AddTool(util::AppProfile(), "Local", "$(App)dump-tool", "first $(App)");

    const ToolsMenu::Launch launch = ToolsMenu::Run(util::AppProfile(), 0, QString());
    QCOMPARE(launch.program, copy);
    QVERIFY(launch.started);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_out), 20000);
    // Only the first $(App) of the line is expanded.
    QCOMPARE(DumpedArguments(m_out), (QStringList{"first", "$(App)"}));
}

void tst_CToolsDlg::toolsThatDoNothing()
{
    ShellFixture shell;
    QVERIFY(shell.start() && shell.waitForPages(0));
    CCEditView *view = shell.open(shell.writePage(QStringLiteral("p.html"), "<p>p</p>"));
    QVERIFY(view);
    ProfileFile &profile = util::AppProfile();
    AddTool(profile, "No command", "", "$(FileName)");
    AddTool(profile, "Missing program", "/nonexistent/pelion-tool-x", "$(FileName)");
    shell.frame()->RouteCommand(cmd::ToolsAddEdit); // closes at once, rebuilding the menu
    QCOMPARE(MenuTexts(shell.frame()->ToolsMenu()).size(), 4);

    // Without Cmd nothing starts and nothing is said.
    const ToolsMenu::Launch none = ToolsMenu::Run(profile, 0, view->PagePath());
    QCOMPARE(none.result, ToolList::Result::NoCommand);
    QVERIFY(!none.started);
    QVERIFY(none.program.isEmpty());
    const int messages = shell.messages.size();
    MenuItem(shell.frame()->ToolsMenu(), cmd::ToolFirst)->trigger();
    auto *pane = shell.frame()->statusBar()->findChild<QLabel *>(QStringLiteral("messagePane"));
    QVERIFY(pane);
    QVERIFY(!pane->text().contains(QStringLiteral("could not be started")));

    // A program that cannot start gets no message box, only the status bar.
    const ToolsMenu::Launch missing = ToolsMenu::Run(profile, 1, view->PagePath());
    QCOMPARE(missing.result, ToolList::Result::Ready);
    QVERIFY(!missing.started);
    MenuItem(shell.frame()->ToolsMenu(), cmd::ToolFirst + 1)->trigger();
    QCOMPARE(pane->text(),
             QStringLiteral("The tool could not be started: /nonexistent/pelion-tool-x"));
    QCOMPARE(shell.messages.size(), messages);
    QVERIFY(!QFile::exists(m_out));
}

void tst_CToolsDlg::onlyTheFirst26ToolsGetItems()
{
    ShellFixture shell;
    QVERIFY(shell.start() && shell.waitForPages(0));
    QVERIFY(shell.open(shell.writePage(QStringLiteral("p.html"), "<p>p</p>")));
    std::vector<std::string> names;
    for (int i = 0; i < 28; ++i)
        names.push_back("T" + std::to_string(i));
    ToolList::Store(util::AppProfile(), names);

    QMenu *menu = shell.frame()->ToolsMenu();
    ToolsMenu::Rebuild(menu, shell.frame(), util::AppProfile());
    QCOMPARE(menu->actions().size(), 2 + 26);
    QCOMPARE(CMDIFrameWnd::CommandIdOf(menu->actions().last()), cmd::ToolLast);
    QCOMPARE(menu->actions().last()->text(), QStringLiteral("T25"));
}

int main(int argc, char **argv)
{
    tst_CToolsDlg test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CToolsDlg.moc"
