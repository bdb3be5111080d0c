#include "engine/CSourceFilter.h"

#include "engine/EngineIds.h"

#include <QRegularExpression>
#include <QSet>

const char *const CSourceFilter::MarkerAttribute = "data-source-k";

namespace {

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool IsAsciiAlpha(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool StartsWithAt(const QString &s, qsizetype at, QLatin1String what)
{
    return s.size() - at >= what.size() &&
           QStringView(s).mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

const QSet<QString> &VoidElements()
{
    static const QSet<QString> names = {"area",   "base",   "basefont", "bgsound", "br",
                                        "col",    "embed",  "frame",    "hr",      "img",
                                        "input",  "keygen", "link",     "meta",    "param",
                                        "source", "track",  "wbr",      "isindex"};
    return names;
}

// Elements whose content the tokenizer does not parse as markup.
const QSet<QString> &RawTextElements()
{
    static const QSet<QString> names = {"script",   "style", "xmp",      "iframe",   "noembed",
                                        "noframes", "title", "textarea", "plaintext"};
    return names;
}

// Whether a page starting like this is parsed in quirks mode (no doctype, or one of the legacy
// doctypes); there a table does not end an open paragraph.
bool IsQuirksPage(const QString &s)
{
    qsizetype i = 0;
    while (i < s.size() && (IsSpace(s.at(i)) || s.at(i) == QChar(0xFEFF)))
        ++i;
    while (StartsWithAt(s, i, QLatin1String("<!--"))) {
        const qsizetype end = s.indexOf(QLatin1String("-->"), i + 4);
        if (end < 0)
            return true;
        i = end + 3;
        while (i < s.size() && IsSpace(s.at(i)))
            ++i;
    }
    if (!StartsWithAt(s, i, QLatin1String("<!doctype")))
        return true;
    const qsizetype close = s.indexOf(QLatin1Char('>'), i);
    const QString doctype = s.mid(i + 9, close < 0 ? -1 : close - i - 9).simplified().toLower();
    if (!doctype.startsWith(QLatin1String("html")))
        return true;
    static const QRegularExpression publicId(
        QStringLiteral("public\\s*[\"']([^\"']*)[\"']\\s*([\"'])?"));
    const QRegularExpressionMatch m = publicId.match(doctype);
    if (!m.hasMatch())
        return false;
    const QString id = m.captured(1);
    const bool system = !m.captured(2).isEmpty();
    static const char *const quirks[] = {"-//w3o//dtd w3 html strict 3.0//en//",
                                         "-/w3c/dtd html 4.0 transitional/en",
                                         "html",
                                         "+//silmaril//dtd html pro v0r11 19970101//",
                                         "-//as//dtd html 3.0 aswedit + extensions//",
                                         "-//advasoft ltd//dtd html 3.0 aswedit + extensions//",
                                         "-//ietf//dtd html",
                                         "-//metrius//dtd metrius presentational//",
                                         "-//microsoft//dtd internet explorer",
                                         "-//netscape comm. corp.//dtd",
                                         "-//o'reilly and associates//dtd html",
                                         "-//softquad software//dtd hotmetal pro",
                                         "-//softquad//dtd hotmetal pro",
                                         "-//spyglass//dtd html 2.0 extended//",
                                         "-//sq//dtd html 2.0 hotmetal + extensions//",
                                         "-//sun microsystems corp.//dtd hotjava html//",
                                         "-//sun microsystems corp.//dtd hotjava strict html//",
                                         "-//w3c//dtd html 3",
                                         "-//w3c//dtd html 4.0 frameset//",
                                         "-//w3c//dtd html 4.0 transitional//",
                                         "-//w3c//dtd html experimental",
                                         "-//w3c//dtd w3 html//",
                                         "-//w3o//dtd w3 html 3.0//",
                                         "-//webtechs//dtd mozilla html"};
    for (const char *q : quirks) {
        const QLatin1String prefix(q);
        if (prefix == QLatin1String("html") ||
            prefix == QLatin1String("-/w3c/dtd html 4.0 transitional/en") ||
            prefix == QLatin1String("-//w3o//dtd w3 html strict 3.0//en//")) {
            if (id == prefix)
                return true;
        } else if (id.startsWith(prefix)) {
            return true;
        }
    }
    return !system && (id.startsWith(QLatin1String("-//w3c//dtd html 4.01 frameset//")) ||
                       id.startsWith(QLatin1String("-//w3c//dtd html 4.01 transitional//")));
}

// Start tags that close an open element of these names first (the common implied ends).
bool ClosesImplicitly(const QString &open, const QString &starting, bool quirks)
{
    if (quirks && open == QLatin1String("p") && starting == QLatin1String("table"))
        return false;
    static const QSet<QString> blocks = {
        "address",  "article", "aside",  "blockquote", "center", "dir", "div", "dl",
        "fieldset", "figure",  "footer", "form",       "h1",     "h2",  "h3",  "h4",
        "h5",       "h6",      "header", "hr",         "menu",   "nav", "ol",  "p",
        "pre",      "section", "table",  "ul",         "li",     "dd",  "dt",  "listing"};
    if (open == QLatin1String("p"))
        return blocks.contains(starting);
    if (open == QLatin1String("li"))
        return starting == QLatin1String("li");
    if (open == QLatin1String("dt") || open == QLatin1String("dd"))
        return starting == QLatin1String("dt") || starting == QLatin1String("dd");
    if (open == QLatin1String("option"))
        return starting == QLatin1String("option") || starting == QLatin1String("optgroup");
    if (open == QLatin1String("td") || open == QLatin1String("th"))
        return starting == QLatin1String("td") || starting == QLatin1String("th") ||
               starting == QLatin1String("tr") || starting == QLatin1String("tbody") ||
               starting == QLatin1String("thead") || starting == QLatin1String("tfoot");
    if (open == QLatin1String("tr"))
        return starting == QLatin1String("tr") || starting == QLatin1String("tbody") ||
               starting == QLatin1String("thead") || starting == QLatin1String("tfoot");
    if (open == QLatin1String("tbody") || open == QLatin1String("thead") ||
        open == QLatin1String("tfoot"))
        return starting == QLatin1String("tbody") || starting == QLatin1String("thead") ||
               starting == QLatin1String("tfoot");
    if (open == QLatin1String("head"))
        return starting == QLatin1String("body");
    return false;
}

// Where a server block ends ("%>" or "?>"), past the closing pair; -1 when it never ends.
qsizetype ServerBlockEnd(const QString &s, qsizetype at)
{
    const QString close = s.at(at + 1) == u'%' ? QStringLiteral("%>") : QStringLiteral("?>");
    const qsizetype end = s.indexOf(close, at + 2);
    return end < 0 ? -1 : end + 2;
}

bool IsServerBlockStart(const QString &s, qsizetype at)
{
    return at + 1 < s.size() && s.at(at) == u'<' && (s.at(at + 1) == u'%' || s.at(at + 1) == u'?');
}

} // namespace

QString CSourceFilter::token(int index, bool comment) const
{
    const QString t = QStringLiteral("&#xE000;%1%2&#xE001;")
                          .arg(m_dtc[size_t(index)] ? QLatin1Char('d') : QLatin1Char('s'))
                          .arg(index);
    return comment ? QStringLiteral("<!--") + t + QStringLiteral("-->") : t;
}

int CSourceFilter::keepBlock(const QString &text, Context context, bool dtc)
{
    m_blocks.push_back(Block{text, context, false});
    m_dtc.push_back(dtc);
    return int(m_blocks.size()) - 1;
}

void CSourceFilter::FilterIn(const QString &s, int flags)
{
    m_flags = flags & ~EngineFilter::FilterOnLoad;
    m_plain.clear();
    m_served.clear();
    m_spans.clear();
    m_blocks.clear();
    m_dtc.clear();
    const bool server = m_flags & EngineFilter::ServerScript;
    const bool dtcs = m_flags & EngineFilter::DTCs;
    const bool numbered = m_flags & EngineFilter::SourceFormatting;
    if (!server && !dtcs && !numbered) {
        m_plain = s;
        m_served = s;
        return;
    }
    m_plain.reserve(s.size());
    m_served.reserve(s.size() + (numbered ? s.size() / 8 : 0));
    struct Open
    {
        QString name;
        int index;
    };
    std::vector<Open> open;
    auto append = [&](QStringView text) {
        m_plain += text;
        m_served += text;
    };
    auto closeTo = [&](size_t depth, int at, int endTagEnd, bool own) {
        while (open.size() > depth) {
            const Open o = open.back();
            open.pop_back();
            Span &span = m_spans[size_t(o.index)];
            const bool isOwn = own && open.size() == depth;
            span.endTagStart = isOwn ? at : -1;
            span.end = isOwn ? endTagEnd : at;
        }
    };
    // A server block inside a tag or raw text: the bare token.
    auto serverInside = [&](qsizetype &i, Context context, bool *bareName) -> bool {
        if (!server || !IsServerBlockStart(s, i))
            return false;
        const qsizetype end = ServerBlockEnd(s, i);
        if (end < 0)
            return false;
        const int index = keepBlock(s.mid(i, end - i), context, false);
        if (bareName)
            m_blocks.back().bareName = true;
        append(token(index, false));
        i = end;
        return true;
    };

    const bool quirks = numbered && IsQuirksPage(s);
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        if (c != u'<') {
            const qsizetype next = s.indexOf(QLatin1Char('<'), i);
            const qsizetype stop = next < 0 ? n : next;
            append(QStringView(s).mid(i, stop - i));
            i = stop;
            continue;
        }
        // Server script in text.
        if (server && IsServerBlockStart(s, i)) {
            const qsizetype end = ServerBlockEnd(s, i);
            if (end > 0) {
                append(token(keepBlock(s.mid(i, end - i), Context::Text, false), true));
                i = end;
                continue;
            }
        }
        // Comments, and design-time control blocks.
        if (StartsWithAt(s, i, QLatin1String("<!--"))) {
            qsizetype end = s.indexOf(QLatin1String("-->"), i + 4);
            end = end < 0 ? n : end + 3;
            if (dtcs && StartsWithAt(s, i, QLatin1String("<!--METADATA")) &&
                QStringView(s)
                    .mid(i, end - i)
                    .contains(QLatin1String("startspan"), Qt::CaseInsensitive)) {
                qsizetype stop = -1;
                for (qsizetype at = s.indexOf(QLatin1String("<!--"), end); at >= 0;
                     at = s.indexOf(QLatin1String("<!--"), at + 4)) {
                    qsizetype close = s.indexOf(QLatin1String("-->"), at + 4);
                    if (close < 0)
                        break;
                    close += 3;
                    if (QStringView(s)
                            .mid(at, close - at)
                            .contains(QLatin1String("endspan"), Qt::CaseInsensitive)) {
                        stop = close;
                        break;
                    }
                    at = close - 4;
                }
                if (stop > 0) {
                    append(token(keepBlock(s.mid(i, stop - i), Context::Text, true), true));
                    i = stop;
                    continue;
                }
            }
            append(QStringView(s).mid(i, end - i));
            i = end;
            continue;
        }
        const bool endTag = i + 1 < n && s.at(i + 1) == u'/';
        const qsizetype nameStart = i + (endTag ? 2 : 1);
        if (nameStart >= n || !IsAsciiAlpha(s.at(nameStart))) {
            // "<!DOCTYPE", "<!x", "<?x" without server filtering: up to the next '>'.
            if (i + 1 < n && (s.at(i + 1) == u'!' || s.at(i + 1) == u'?' || endTag)) {
                const qsizetype close = s.indexOf(QLatin1Char('>'), i);
                const qsizetype stop = close < 0 ? n : close + 1;
                append(QStringView(s).mid(i, stop - i));
                i = stop;
            } else {
                append(u"<");
                ++i;
            }
            continue;
        }
        qsizetype j = nameStart;
        while (j < n && !IsSpace(s.at(j)) && s.at(j) != u'/' && s.at(j) != u'>' &&
               !IsServerBlockStart(s, j))
            ++j;
        const QString name = s.mid(nameStart, j - nameStart).toLower();
        const int tagStart = int(m_plain.size());
        append(QStringView(s).mid(i, j - i));
        int index = -1;
        if (!endTag && numbered) {
            index = int(m_spans.size());
            m_spans.push_back(Span{tagStart, -1, -1, -1});
            m_served += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(MarkerAttribute)).arg(index);
        }
        // The rest of the tag: attributes with quoted values; server blocks become tokens. A
        // block that is (part of) an attribute name written without a value is noted, since
        // the DOM gives such a name back as name="".
        i = j;
        enum { BeforeName, InName, AfterName, BeforeValue, InValue, Quoted } state = BeforeName;
        QChar quote;
        std::vector<int> nameBlocks;
        auto bareName = [&] {
            for (int b : nameBlocks)
                m_blocks[size_t(b)].bareName = true;
            nameBlocks.clear();
        };
        while (i < n) {
            const QChar t = s.at(i);
            if (state == Quoted) {
                if (t == quote) {
                    state = BeforeName;
                } else if (serverInside(i, Context::Tag, nullptr)) {
                    continue;
                }
                append(QStringView(&t, 1));
                ++i;
                continue;
            }
            if (t == u'>')
                break;
            if (server && IsServerBlockStart(s, i)) {
                const bool inValue = state == BeforeValue || state == InValue;
                const int block = int(m_blocks.size());
                if (serverInside(i, inValue ? Context::Tag : Context::AttributeName, nullptr)) {
                    if (inValue) {
                        state = InValue;
                    } else {
                        if (state == AfterName)
                            bareName();
                        nameBlocks.push_back(block);
                        state = InName;
                    }
                    continue;
                }
            }
            if (IsSpace(t)) {
                if (state == InName)
                    state = AfterName;
                else if (state == InValue)
                    state = BeforeName;
            } else if (t == u'=' && (state == InName || state == AfterName)) {
                nameBlocks.clear(); // the name has a value
                state = BeforeValue;
            } else if ((t == u'"' || t == u'\'') && state == BeforeValue) {
                quote = t;
                state = Quoted;
            } else if (t == u'/' && state != BeforeValue && state != InValue) {
                if (state == InName || state == AfterName)
                    bareName();
                state = BeforeName;
            } else if (state == BeforeValue) {
                state = InValue;
            } else if (state == BeforeName || state == AfterName) {
                if (state == AfterName)
                    bareName();
                state = InName;
            }
            append(QStringView(&t, 1));
            ++i;
        }
        if (state == InName || state == AfterName)
            bareName();
        if (i < n) {
            append(u">");
            ++i;
        }
        const int tagEnd = int(m_plain.size());
        const bool selfClosing = tagEnd >= 2 && m_plain.at(tagEnd - 2) == u'/';
        if (endTag) {
            for (size_t k = open.size(); k-- > 0;) {
                if (open[k].name == name) {
                    closeTo(k, tagStart, tagEnd, true);
                    break;
                }
            }
            continue;
        }
        if (numbered) {
            Span &span = m_spans[size_t(index)];
            span.startTagEnd = tagEnd;
            while (!open.empty() && ClosesImplicitly(open.back().name, name, quirks))
                closeTo(open.size() - 1, tagStart, tagStart, false);
            if (VoidElements().contains(name) ||
                (selfClosing && !RawTextElements().contains(name))) {
                if (VoidElements().contains(name))
                    span.end = tagEnd;
                else
                    open.push_back(Open{name, index});
            } else {
                open.push_back(Open{name, index});
            }
        }
        // Raw text up to the matching end tag; server blocks in it become bare tokens.
        if (RawTextElements().contains(name) && !selfClosing) {
            const QString endMark = QStringLiteral("</") + name;
            while (i < n) {
                if (s.at(i) == u'<' && StartsWithAt(s, i, QLatin1String(endMark.toLatin1())))
                    break;
                if (serverInside(i, Context::Raw, nullptr))
                    continue;
                const QChar t = s.at(i);
                append(QStringView(&t, 1));
                ++i;
            }
        }
    }
    closeTo(0, int(m_plain.size()), int(m_plain.size()), false);
}

QString CSourceFilter::FilterOut(const QString &serialised) const
{
    if (m_blocks.empty())
        return serialised;
    QString out = serialised;
    // An attribute name made of tokens and written without a value comes back from the DOM
    // as name="": drop the value again.
    static const QRegularExpression bareAttribute(
        QStringLiteral("([^\\s=>\"'/<]*&#xe000;[sd](\\d+)&#xe001;[^\\s=>\"'/]*)=\"\""),
        QRegularExpression::CaseInsensitiveOption);
    QString stripped;
    qsizetype last = 0;
    for (auto it = bareAttribute.globalMatch(out); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int index = m.captured(2).toInt();
        if (index < 0 || size_t(index) >= m_blocks.size() || !m_blocks[size_t(index)].bareName)
            continue;
        stripped += QStringView(out).mid(last, m.capturedStart() - last);
        stripped += m.captured(1);
        last = m.capturedEnd();
    }
    if (last > 0) {
        stripped += QStringView(out).mid(last);
        out = stripped;
    }
    // Every form a token can take: the comment, the reference (any case) and the decoded one.
    static const QRegularExpression tokens(
        QStringLiteral("<!--&#xE000;([sd])(\\d+)&#xE001;-->|&#xe000;([sd])(\\d+)&#xe001;|"
                       "\\x{E000}([sd])(\\d+)\\x{E001}"),
        QRegularExpression::CaseInsensitiveOption);
    QString result;
    result.reserve(out.size());
    last = 0;
    for (auto it = tokens.globalMatch(out); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString number = m.captured(2);
        if (number.isEmpty())
            number = m.captured(4);
        if (number.isEmpty())
            number = m.captured(6);
        const int index = number.toInt();
        if (index < 0 || size_t(index) >= m_blocks.size())
            continue;
        result += QStringView(out).mid(last, m.capturedStart() - last);
        result += m_blocks[size_t(index)].text;
        last = m.capturedEnd();
    }
    result += QStringView(out).mid(last);
    return result;
}
