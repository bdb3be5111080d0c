#pragma once

#include <QIcon>
#include <QString>

// The toolbar picture of a command: the icon theme's picture under its freedesktop name when the
// theme has one, else the picture bundled with the program (":/icons/<name>.svg"). Null for an
// id without a picture.
QIcon CommandIcon(int id);
// A bundled picture by name ("pelion", "tab-media").
QIcon BundledIcon(const QString &name);
// The theme is only looked at when one is set; without a desktop session the program tries the
// freedesktop themes installed on the system ("Adwaita", "breeze").
void PrepareIconTheme();
