#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

// Messages from the engine runtime to the host. The runtime writes each one to the console of
// its isolated world as a line "<token>{json}"; the console is the renderer's own way to the
// browser, open from the first line of the runtime and in order with the load's progress, so
// the first state can arrive before Chromium reports the load finished. The token is drawn at
// random for every view and handed to the runtime with its bootstrap; page scripts never run
// in an editing view, and nothing Chromium logs itself can begin with it.
class CEngineBridge : public QObject
{
    Q_OBJECT

public:
    explicit CEngineBridge(QObject *parent = nullptr);

    const QString &Token() const { return m_token; }

    // Handles one console line: true when it was a runtime message (handled or malformed),
    // false for any other line.
    bool Receive(const QString &line);

signals:
    // { "push": state } — the selection and command state after a selection change or edit.
    void stateArrived(const QVariantMap &state);
    // { "notify": what, "data": {...} }
    void notified(const QString &what, const QVariantMap &data);

private:
    QString m_token;
};
