#include "insert/RecordSound.h"

#include "insert/CSoundRecorder.h"
#include "insert/RecordingFile.h"
#include "toolkit/QtBridge.h"

QString RecordSound(const QString &name, const QString &pagePath, QWidget *parent)
{
    const QString path = toQt(PrepareRecordingFile(fromQt(name), fromQt(pagePath)));
    if (!path.isEmpty())
        CSoundRecorder::Open(path, parent);
    return path;
}
