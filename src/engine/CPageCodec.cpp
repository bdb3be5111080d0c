#include "engine/CPageCodec.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cctype>

namespace {

// windows-1252 bytes 0x80..0x9F (WHATWG index; undefined bytes map to the C1 control).
const char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int Cp1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

void AppendReference(QByteArray &out, char32_t c)
{
    out += "&#";
    out += QByteArray::number(uint(c));
    out += ';';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The value of charset=... inside a content attribute ("text/html; charset=utf-8").
QByteArray CharsetFromContent(const QByteArray &content)
{
    const QByteArray lower = content.toLower();
    qsizetype at = lower.indexOf("charset");
    while (at >= 0) {
        qsizetype i = at + 7;
        while (i < lower.size() && IsSpace(lower[i]))
            ++i;
        if (i < lower.size() && lower[i] == '=') {
            ++i;
            while (i < lower.size() && IsSpace(lower[i]))
                ++i;
            char quote = 0;
            if (i < lower.size() && (lower[i] == '"' || lower[i] == '\''))
                quote = lower[i++];
            qsizetype end = i;
            while (end < lower.size() &&
                   (quote ? lower[end] != quote : !IsSpace(lower[end]) && lower[end] != ';'))
                ++end;
            return content.mid(i, end - i).trimmed();
        }
        at = lower.indexOf("charset", at + 7);
    }
    return {};
}

// Attributes of one tag starting after its name; i is moved past the tag.
QHash<QByteArray, QByteArray> ReadAttributes(const QByteArray &s, qsizetype &i)
{
    QHash<QByteArray, QByteArray> attributes;
    const qsizetype n = s.size();
    while (i < n) {
        while (i < n && (IsSpace(s[i]) || s[i] == '/'))
            ++i;
        if (i >= n || s[i] == '>') {
            ++i;
            break;
        }
        qsizetype nameStart = i;
        while (i < n && !IsSpace(s[i]) && s[i] != '=' && s[i] != '>' && s[i] != '/')
            ++i;
        QByteArray name = s.mid(nameStart, i - nameStart).toLower();
        while (i < n && IsSpace(s[i]))
            ++i;
        QByteArray value;
        if (i < n && s[i] == '=') {
            ++i;
            while (i < n && IsSpace(s[i]))
                ++i;
            if (i < n && (s[i] == '"' || s[i] == '\'')) {
                const char quote = s[i++];
                const qsizetype end = s.indexOf(quote, i);
                const qsizetype stop = end < 0 ? n : end;
                value = s.mid(i, stop - i);
                i = end < 0 ? n : end + 1;
            } else {
                qsizetype start = i;
                while (i < n && !IsSpace(s[i]) && s[i] != '>')
                    ++i;
                value = s.mid(start, i - start);
            }
        }
        if (!attributes.contains(name))
            attributes.insert(name, value);
    }
    return attributes;
}

// A meta charset declaration in the head, in the manner of the HTML prescan: comments skipped,
// tags other than meta passed over, the scan ends at the body or after 16 KB.
QByteArray DeclaredCharset(const QByteArray &bytes)
{
    const QByteArray s = bytes.left(16384);
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        if (s[i] != '<') {
            ++i;
            continue;
        }
        if (s.mid(i, 4) == "<!--") {
            const qsizetype end = s.indexOf("-->", i + 4);
            if (end < 0)
                break;
            i = end + 3;
            continue;
        }
        qsizetype j = i + 1;
        const bool endTag = j < n && s[j] == '/';
        if (endTag)
            ++j;
        qsizetype nameStart = j;
        while (j < n && std::isalnum(static_cast<unsigned char>(s[j])))
            ++j;
        const QByteArray name = s.mid(nameStart, j - nameStart).toLower();
        if (name.isEmpty()) {
            ++i;
            continue;
        }
        if (name == "body" && !endTag)
            break;
        QHash<QByteArray, QByteArray> attributes = ReadAttributes(s, j);
        i = j;
        if (endTag || name != "meta")
            continue;
        if (attributes.contains("charset"))
            return attributes.value("charset").trimmed();
        if (attributes.value("http-equiv").trimmed().toLower() == "content-type") {
            QByteArray charset = CharsetFromContent(attributes.value("content"));
            if (!charset.isEmpty())
                return charset;
        }
    }
    return {};
}

} // namespace

QByteArray CPageCodec::CanonicalLabel(const QByteArray &label)
{
    const QByteArray l = label.trimmed().toLower();
    if (l == "utf-8" || l == "utf8" || l == "unicode-1-1-utf-8")
        return "UTF-8";
    // A meta tag cannot declare UTF-16 (the bytes were read as ASCII to find it): UTF-8 then.
    if (l == "utf-16" || l == "utf-16le" || l == "utf-16be")
        return "UTF-8";
    if (l == "windows-1252" || l == "cp1252" || l == "x-cp1252" || l == "iso-8859-1" ||
        l == "iso8859-1" || l == "latin1" || l == "l1" || l == "us-ascii" || l == "ascii" ||
        l == "iso_8859-1" || l == "cp819" || l == "ibm819" || l == "iso-ir-100")
        return "windows-1252";
    return l;
}

// Well-formed UTF-8 as RFC 3629 defines it: no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut off at the end.
bool CPageCodec::IsValidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        }
        p += length;
    }
    return true;
}

CPageCodec::Detection CPageCodec::Detect(const QByteArray &bytes)
{
    Detection d;
    qsizetype crlf = 0, lf = 0;
    for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1)) {
        if (i > 0 && bytes[i - 1] == '\r')
            ++crlf;
        else
            ++lf;
    }
    d.crlf = crlf > lf;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        d.charset = "UTF-8";
        d.declared = true;
        d.bom = true;
    } else if (bytes.startsWith("\xFF\xFE")) {
        d.charset = "UTF-16LE";
        d.declared = true;
        d.bom = true;
    } else if (bytes.startsWith("\xFE\xFF")) {
        d.charset = "UTF-16BE";
        d.declared = true;
        d.bom = true;
    } else {
        const QByteArray declared = DeclaredCharset(bytes);
        if (!declared.isEmpty()) {
            d.charset = CanonicalLabel(declared);
            d.declared = true;
        } else {
            d.charset = IsValidUtf8(bytes) ? "UTF-8" : "windows-1252";
        }
    }
    return d;
}

QByteArray CPageCodec::Encode(const QString &text, const QByteArray &charset, bool *usedFallback)
{
    if (usedFallback)
        *usedFallback = false;
    const QByteArray lower = charset.toLower();
    if (lower == "utf-16le" || lower == "utf-16be") {
        // Only a byte-order mark selects UTF-16, so the file keeps one.
        QStringEncoder encoder(lower == "utf-16le" ? QStringEncoder::Utf16LE
                                                   : QStringEncoder::Utf16BE,
                               QStringEncoder::Flag::WriteBom);
        return encoder.encode(text);
    }
    const QByteArray label = CanonicalLabel(charset);
    if (label == "UTF-8")
        return text.toUtf8();
    QByteArray out;
    out.reserve(text.size() + text.size() / 8);
    const bool cp1252 = label == "windows-1252";
    QStringEncoder other;
    QStringDecoder otherBack;
    QHash<char32_t, QByteArray> cache;
    bool haveOther = false;
    if (!cp1252) {
        other = QStringEncoder(label.constData(), QStringEncoder::Flag::Stateless);
        otherBack = QStringDecoder(label.constData(), QStringDecoder::Flag::Stateless);
        haveOther = other.isValid() && otherBack.isValid();
        if (!haveOther && usedFallback)
            *usedFallback = true;
    }
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *end = p + text.size();
    while (p < end) {
        char32_t c = *p++;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            c = QChar::surrogateToUcs4(char16_t(c), *p++);
        else if (QChar::isSurrogate(c))
            c = 0xFFFD;
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        if (cp1252) {
            const int b = Cp1252Byte(c);
            if (b >= 0)
                out += char(b);
            else
                AppendReference(out, c);
            continue;
        }
        if (!haveOther) {
            AppendReference(out, c);
            continue;
        }
        auto cached = cache.constFind(c);
        if (cached == cache.constEnd()) {
            // Encode alone and decode back: a converter that substitutes ('?') for what it
            // cannot map fails the round trip, and the character becomes a reference.
            const QString one = QString::fromUcs4(&c, 1);
            QByteArray bytes = other.encode(one);
            if (other.hasError() || otherBack.decode(bytes) != one || otherBack.hasError())
                bytes.clear();
            other.resetState();
            otherBack.resetState();
            cached = cache.insert(c, bytes);
        }
        if (cached->isEmpty())
            AppendReference(out, c);
        else
            out += *cached;
    }
    return out;
}

QString CPageCodec::Decode(const QByteArray &bytes, const QByteArray &charset)
{
    const QByteArray lower = charset.toLower();
    if (lower == "utf-16le" || lower == "utf-16be") {
        QStringDecoder decoder(lower == "utf-16le" ? QStringDecoder::Utf16LE
                                                   : QStringDecoder::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    const QByteArray label = CanonicalLabel(charset);
    if (label == "UTF-8") {
        QByteArray b = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        return QString::fromUtf8(b);
    }
    if (label == "windows-1252") {
        QString out;
        out.reserve(bytes.size());
        for (char ch : bytes) {
            const unsigned char b = static_cast<unsigned char>(ch);
            out += (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
        }
        return out;
    }
    QStringDecoder decoder(label.constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QString CPageCodec::ToCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 20);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') && (i == 0 || text.at(i - 1) != QLatin1Char('\r')))
            out += QLatin1Char('\r');
        out += c;
    }
    return out;
}
