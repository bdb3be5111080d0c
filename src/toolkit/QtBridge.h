#pragma once

#include <QString>

#include <string>

// The one place where core text (std::string, UTF-8 bytes) and Qt text meet.
inline QString toQt(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQt(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
