#include "exttools/ToolsMenu.h"

#include "toolkit/CMDIFrameWnd.h"
#include "toolkit/CommandIds.h"
#include "toolkit/QtBridge.h"

#include <QAction>
#include <QMenu>
#include <QProcess>

void ToolsMenu::Rebuild(QMenu *menu, CMDIFrameWnd *frame, const ProfileFile &profile)
{
    if (!menu || !frame)
        return;
    const QList<QAction *> actions = menu->actions();
    for (qsizetype position = 2; position < actions.size(); ++position) {
        menu->removeAction(actions.at(position));
        delete actions.at(position);
    }
    const std::vector<std::string> names = ToolList::MenuNames(profile);
    for (size_t index = 0; index < names.size(); ++index) {
        auto *action = new QAction(toQt(names[index]), menu);
        menu->addAction(frame->BindAction(action, cmd::ToolFirst + static_cast<int>(index)));
    }
}

ToolsMenu::Launch ToolsMenu::Run(const ProfileFile &profile, int index, const QString &pagePath)
{
    Launch launch;
    std::string line;
    launch.result = ToolList::CommandLine(profile, index, fromQt(pagePath), line);
    if (launch.result != ToolList::Result::Ready)
        return launch;
    QStringList words = QProcess::splitCommand(toQt(line));
    if (words.isEmpty())
        return launch;
    launch.program = words.takeFirst();
    launch.arguments = words;
    launch.started = QProcess::startDetached(launch.program, launch.arguments);
    return launch;
}
