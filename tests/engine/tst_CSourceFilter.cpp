#include "engine/CSourceFilter.h"
#include "engine/EngineIds.h"

#include <QTest>

// The filter-in/filter-out pair on page text, without a web view.
class tst_CSourceFilter : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void tokensReplaceBlocks();
    void bareAttributeNames();
    void spans();
    void tableEndsParagraphOnlyInStandardsMode_data();
    void tableEndsParagraphOnlyInStandardsMode();
    void noFlagsLeavesText();
};

void tst_CSourceFilter::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");
    const int all = EngineFilter::DTCs | EngineFilter::ServerScript |
                    EngineFilter::SourceFormatting | EngineFilter::FilterOnLoad;
    QTest::newRow("text") << "<p>a <% x %> b</p>" << all;
    QTest::newRow("before doctype") << "<%@ Language=VBScript %>\r\n<!DOCTYPE html><p>x" << all;
    QTest::newRow("quoted value with quotes") << "<a href=\"<%= f(\"a\") %>\">l</a>" << all;
    QTest::newRow("unquoted value") << "<img src=<%=pic%> alt=x>" << all;
    QTest::newRow("attribute name") << "<input <% If c %>checked<% End If %> name=c>" << all;
    QTest::newRow("raw text") << "<script>if (a < b) <% w %>;</script><style><? s ?></style>"
                              << all;
    QTest::newRow("title") << "<title><%= t %> &amp; x</title>" << all;
    QTest::newRow("php") << "<?php echo '>'; ?><p>x</p>" << all;
    QTest::newRow("unclosed block stays") << "<p>a <% never closed</p>" << all;
    QTest::newRow("dtc") << "<!--METADATA TYPE=\"DesignerControl\" startspan\n<OBJECT></OBJECT>-->"
                            "<p>gen</p><!--METADATA TYPE=\"DesignerControl\" endspan--><b>x</b>"
                         << all;
    QTest::newRow("server only") << "<p a=<%=x%>><% y %></p>" << int(EngineFilter::ServerScript);
}

void tst_CSourceFilter::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(int, flags);
    CSourceFilter filter;
    filter.FilterIn(text, flags);
    QCOMPARE(filter.FilterOut(filter.Plain()), text);
    // The served text carries the numbering, which filter-out does not need to see.
    if (flags & EngineFilter::SourceFormatting)
        QVERIFY(filter.Served().contains(QLatin1String(CSourceFilter::MarkerAttribute)));
}

void tst_CSourceFilter::tokensReplaceBlocks()
{
    CSourceFilter filter;
    const QString text = QStringLiteral("<% a %><p title=\"<%= b %>\">x</p><script><% c %></script>"
                                        "<!--METADATA startspan--><i>g</i><!--METADATA endspan-->");
    filter.FilterIn(text, EngineFilter::ServerScript | EngineFilter::DTCs);
    QCOMPARE(filter.BlockCount(), 4);
    QVERIFY(!filter.Served().contains(QLatin1String("<%")));
    QVERIFY(!filter.Served().contains(QLatin1String("METADATA")));
    QCOMPARE(filter.Served(),
             QStringLiteral("<!--&#xE000;s0&#xE001;--><p title=\"&#xE000;s1&#xE001;\">"
                            "x</p><script>&#xE000;s2&#xE001;</script>"
                            "<!--&#xE000;d3&#xE001;-->"));
    // As the DOM gives them back: the value decoded, the comment and raw text as they were.
    const QString dom = QStringLiteral("<!--&#xE000;s0&#xE001;--><p title=\"") + QChar(0xE000) +
                        QStringLiteral("s1") + QChar(0xE001) +
                        QStringLiteral("\">x</p><script>&#xE000;s2&#xE001;</script>"
                                       "<!--&#xE000;d3&#xE001;-->");
    QCOMPARE(filter.FilterOut(dom), text);
    // Without the DTC option the design-time comments are ordinary comments.
    filter.FilterIn(text, EngineFilter::ServerScript);
    QCOMPARE(filter.BlockCount(), 3);
    QVERIFY(filter.Served().contains(QLatin1String("METADATA")));
}

void tst_CSourceFilter::bareAttributeNames()
{
    CSourceFilter filter;
    const QString text = QStringLiteral("<input type=checkbox <% If c %>checked<% End If %> "
                                        "data-<%=n%>=\"v\">");
    filter.FilterIn(text, EngineFilter::ServerScript);
    // The DOM lower-cases attribute names and writes name="" for a name without a value.
    const QString dom = QStringLiteral("<input type=\"checkbox\" &#xe000;s0&#xe001;checked"
                                       "&#xe000;s1&#xe001;=\"\" data-&#xe000;s2&#xe001;=\"v\">");
    QCOMPARE(filter.FilterOut(dom), QStringLiteral("<input type=\"checkbox\" <% If c %>checked"
                                                   "<% End If %> data-<%=n%>=\"v\">"));
}

void tst_CSourceFilter::spans()
{
    CSourceFilter filter;
    const QString text = QStringLiteral("<HTML><BODY><P>one<P>two</P><BR><ul><li>a<li>b</ul>"
                                        "</BODY></HTML>");
    filter.FilterIn(text, EngineFilter::SourceFormatting);
    const auto &spans = filter.Spans();
    QCOMPARE(spans.size(), size_t(8)); // html body p p br ul li li
    auto source = [&](size_t i) { return text.mid(spans[i].start, spans[i].end - spans[i].start); };
    QCOMPARE(source(0), text);
    QCOMPARE(source(2), QStringLiteral("<P>one")); // closed by the next <P>, no end tag
    QCOMPARE(spans[2].endTagStart, -1);
    QCOMPARE(source(3), QStringLiteral("<P>two</P>"));
    QCOMPARE(source(4), QStringLiteral("<BR>"));
    QCOMPARE(source(6), QStringLiteral("<li>a"));
    QCOMPARE(source(7), QStringLiteral("<li>b"));
    QCOMPARE(source(5), QStringLiteral("<ul><li>a<li>b</ul>"));
    QCOMPARE(text.mid(spans[3].start, spans[3].startTagEnd - spans[3].start),
             QStringLiteral("<P>"));
}

void tst_CSourceFilter::tableEndsParagraphOnlyInStandardsMode_data()
{
    QTest::addColumn<QString>("doctype");
    QTest::addColumn<bool>("quirks");
    QTest::newRow("none") << QString() << true;
    QTest::newRow("html5") << "<!DOCTYPE html>" << false;
    QTest::newRow("4.01 transitional without system id")
        << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">" << true;
    QTest::newRow("4.01 transitional with system id")
        << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
           "\"http://www.w3.org/TR/html4/loose.dtd\">"
        << false;
    QTest::newRow("3.2") << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">" << true;
    QTest::newRow("xhtml strict") << "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
                                     "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">"
                                  << false;
}

// A quirks-mode parser keeps a table inside an open paragraph; the spans follow it.
void tst_CSourceFilter::tableEndsParagraphOnlyInStandardsMode()
{
    QFETCH(QString, doctype);
    QFETCH(bool, quirks);
    const QString text = doctype + QStringLiteral("<P>a<TABLE><TR><TD>x</TABLE>b<P>c");
    CSourceFilter filter;
    filter.FilterIn(text, EngineFilter::SourceFormatting);
    const CSourceFilter::Span &p = filter.Spans()[0];
    const QString source = text.mid(p.start, p.end - p.start);
    QCOMPARE(source,
             quirks ? QStringLiteral("<P>a<TABLE><TR><TD>x</TABLE>b") : QStringLiteral("<P>a"));
}

void tst_CSourceFilter::noFlagsLeavesText()
{
    CSourceFilter filter;
    const QString text = QStringLiteral("<p><% kept as text %></p>");
    filter.FilterIn(text, EngineFilter::None | EngineFilter::FilterOnLoad);
    QCOMPARE(filter.Served(), text);
    QCOMPARE(filter.BlockCount(), 0);
    QCOMPARE(filter.FilterOut(text), text);
}

QTEST_GUILESS_MAIN(tst_CSourceFilter)
#include "tst_CSourceFilter.moc"
