#pragma once

#include <QString>

// The string of each command id: the status-bar text, then optionally "\n" and the tool tip
// ("Inserts an image\nInsert Image"). Empty for an id without a string.
QString CommandString(int id);
QString CommandStatusText(int id);
QString CommandToolTip(int id);
