#include "engine/CEngineBridge.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

CEngineBridge::CEngineBridge(QObject *parent)
    : QObject(parent)
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    m_token = QStringLiteral("\x01pelion:");
    for (const quint32 w : words)
        m_token += QString::number(w, 16).rightJustified(8, QLatin1Char('0'));
    m_token += QLatin1Char(':');
}

bool CEngineBridge::Receive(const QString &line)
{
    if (!line.startsWith(m_token))
        return false;
    QJsonParseError error{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QStringView(line).mid(m_token.size()).toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        qWarning("engine: malformed runtime message: %s", qPrintable(error.errorString()));
        return true;
    }
    const QJsonObject message = doc.object();
    if (message.contains(QLatin1String("push")))
        emit stateArrived(message.value(QLatin1String("push")).toObject().toVariantMap());
    else if (message.contains(QLatin1String("notify")))
        emit notified(message.value(QLatin1String("notify")).toString(),
                      message.value(QLatin1String("data")).toObject().toVariantMap());
    return true;
}
