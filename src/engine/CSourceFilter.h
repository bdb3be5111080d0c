#pragma once

#include <QList>
#include <QString>

#include <vector>

// Source filtering of a page file (filter flags: EngineFilter values).
//
// Filter-in takes the page text apart before Chromium sees it:
// - ServerScript (8): every "<% ... %>" and "<? ... ?>" block is kept aside and replaced by a
//   token; DTCs (2): every design-time control block ("<!--METADATA ... startspan" up to the
//   comment that holds "endspan") likewise. A token is a comment where text may stand
//   ("<!--&#xE000;s7&#xE001;-->") and the bare reference "&#xE000;s7&#xE001;" inside a tag or
//   raw text; the parser keeps either as it stands (decoding it to U+E000 s7 U+E001 in attribute
//   values and titles), so filter-out finds every form and puts the original block back.
// - SourceFormatting (16): every start tag is numbered (an attribute the runtime reads and
//   removes before anything else sees the page) and the source span of each numbered element is
//   recorded, so that a save can write untouched elements and the text between them exactly as
//   they stood.
// Positions are UTF-16 indexes into Plain().
class CSourceFilter
{
public:
    static const char *const MarkerAttribute; // the numbering attribute

    struct Span
    {
        int start = -1;       // '<' of the start tag
        int startTagEnd = -1; // just after its '>'
        int endTagStart = -1; // '<' of its own end tag; -1 when the source has none
        int end = -1;         // just after the end tag; where an implied end falls otherwise
    };

    // Empty flags (EngineFilter::None) leave the text as it is.
    void FilterIn(const QString &source, int flags);

    const QString &Plain() const { return m_plain; }   // tokens in, no numbering
    const QString &Served() const { return m_served; } // what Chromium parses
    const std::vector<Span> &Spans() const { return m_spans; }
    int BlockCount() const { return int(m_blocks.size()); }
    int Flags() const { return m_flags; }

    // Puts the kept blocks back into serialised page text.
    QString FilterOut(const QString &serialised) const;

private:
    enum class Context { Text, Tag, AttributeName, Raw };
    struct Block
    {
        QString text;
        Context context = Context::Text;
        bool bareName = false; // part of an attribute name written without a value
    };

    QString token(int index, bool comment) const;
    int keepBlock(const QString &text, Context context, bool dtc);

    int m_flags = 0;
    QString m_plain, m_served;
    std::vector<Span> m_spans;
    std::vector<Block> m_blocks;
    std::vector<bool> m_dtc;
};
