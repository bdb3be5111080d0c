#pragma once

#include <QByteArray>
#include <QString>

// Character sets of page files. A page's charset is, in this order: a byte-order mark, a
// charset declared in a meta tag of the head, UTF-8 when the bytes are valid UTF-8 (plain ASCII
// included), else windows-1252. Encoding writes every character the charset cannot represent
// as a numeric character reference ("&#8364;").
class CPageCodec
{
public:
    struct Detection
    {
        QByteArray charset;    // canonical label: "UTF-8", "windows-1252", "UTF-16LE", ... or
                               // a declared label that Chromium resolves itself
        bool declared = false; // from a BOM or a meta tag
        bool crlf = false;     // line ends are mostly CR LF
        bool bom = false;      // starts with a byte-order mark
    };

    static Detection Detect(const QByteArray &bytes);
    // The label that a meta charset or content-type value names, canonical where we know it.
    static QByteArray CanonicalLabel(const QByteArray &label);
    static bool IsValidUtf8(const QByteArray &bytes);

    // Encodes text in charset; unknown charsets fall back to ASCII with references for the rest
    // (readable under every ASCII-compatible declaration). usedFallback reports that.
    static QByteArray Encode(const QString &text, const QByteArray &charset,
                             bool *usedFallback = nullptr);
    static QString Decode(const QByteArray &bytes, const QByteArray &charset);

    // "\n" -> "\r\n" for text whose line ends are bare LF (as the DOM gives them).
    static QString ToCrLf(const QString &text);
};
