#pragma once

#include <QObject>
#include <QVariantMap>

// The object the engine runtime sees over the web channel: it pushes the selection and command
// state after every selection change and edit.
class CEngineBridge : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE void pushState(const QVariantMap &state) { emit stateArrived(state); }
    Q_INVOKABLE void notify(const QString &what, const QVariantMap &data)
    {
        emit notified(what, data);
    }

signals:
    void stateArrived(const QVariantMap &state);
    void notified(const QString &what, const QVariantMap &data);
};
