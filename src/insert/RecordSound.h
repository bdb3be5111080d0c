#pragma once

#include <QString>

class QWidget;

// Records a sound into the file named name: the file is prepared as PrepareRecordingFile says
// (the recording template copied into the page's resource folder when the file does not exist
// yet) and the recorder window opens on it beside parent. Returns the file's full path at once,
// without waiting for the recording; "" (and no window) for an empty name.
QString RecordSound(const QString &name, const QString &pagePath, QWidget *parent);
