#pragma once

#include "exttools/ToolList.h"

#include <QString>
#include <QStringList>

class CMDIFrameWnd;
class ProfileFile;
class QMenu;

// The tool items of the page windows' "&Tools" popup and the start of a tool.
class ToolsMenu
{
public:
    // Removes every item from position 2 on (after "&Add/Edit..." and its separator) and adds
    // one item per listed tool, bound on frame to its command id (32985 + index).
    static void Rebuild(QMenu *menu, CMDIFrameWnd *frame, const ProfileFile &profile);

    struct Launch
    {
        ToolList::Result result = ToolList::Result::NoTool;
        QString program;       // the first word of the command line
        QStringList arguments; // the others
        bool started = false;
    };
    // Builds the tool's command line for pagePath, splits it into words the way a shell does
    // (double quotes group, three quotes inside a quoted part stand for one) and starts the
    // program directly, detached, never through a shell.
    static Launch Run(const ProfileFile &profile, int index, const QString &pagePath);
};
