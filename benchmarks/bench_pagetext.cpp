// Throughput of the page text operations over large texts. The memchr run over the same text is
// the ratio base: the figures of the others are read against it.
#include "pagetext/CHtmlText.h"
#include "pagetext/PageExtensions.h"

#include <benchmark/benchmark.h>

#include <cctype>
#include <cstring>
#include <string>

namespace {

// HTML-like body text with a "<" every few dozen bytes, mixed letter case and line ends, so that
// the search keeps meeting partial matches ("</p>", "</b>", "<P").
std::string makePage(size_t size)
{
    static const char *const pieces[] = {
        "<P class=\"Body\">Lorem ipsum dolor sit amet, <B>consectetur</B> adipiscing elit.</P>\r\n",
        "<p>Sed do eiusmod <i>tempor</i> incididunt ut labore et dolore magna aliqua.</p>\r\n",
        "<TABLE border=0><TR><TD>cell</TD><TD width=\"50%\">other cell</TD></TR></TABLE>\r\n",
        "<img src=\"media/sun.gif\" name=\"sun1\" onClick=\"qxPopup('big.jpg')\">\n",
        "<!-- a comment with </hea and <bod in it -->\r\n",
    };
    std::string text;
    text.reserve(size + 256);
    for (size_t i = 0; text.size() < size; ++i)
        text += pieces[i % 5];
    text.resize(size);
    return text;
}

constexpr size_t kSize = 100u << 20;

const std::string &page()
{
    static const std::string text = makePage(kSize);
    return text;
}

void setBytes(benchmark::State &state, size_t bytes)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void BM_Memchr(benchmark::State &state)
{
    const std::string &text = page();
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(text.data(), '\x01', text.size()));
    setBytes(state, text.size());
}
BENCHMARK(BM_Memchr)->Unit(benchmark::kMillisecond);

// The tag sits at the very end, so the whole text is searched.
void BM_FindForward(benchmark::State &state)
{
    std::string text = page() + "</head>";
    CHtmlText html(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(html.Find("</head>", 0, true));
    setBytes(state, text.size());
}
BENCHMARK(BM_FindForward)->Unit(benchmark::kMillisecond);

void BM_FindForwardWithSpaces(benchmark::State &state)
{
    std::string text = page() + "< TITLE >";
    CHtmlText html(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(html.Find("<TITLE>", 0, true));
    setBytes(state, text.size());
}
BENCHMARK(BM_FindForwardWithSpaces)->Unit(benchmark::kMillisecond);

void BM_FindBackward(benchmark::State &state)
{
    std::string text = "</head>" + page();
    CHtmlText html(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(html.Find("</head>", static_cast<int>(text.size()) - 1, false));
    setBytes(state, text.size());
}
BENCHMARK(BM_FindBackward)->Unit(benchmark::kMillisecond);

// The plain way for comparison: a byte loop with std::isspace.
void BM_FindNaiveLoop(benchmark::State &state)
{
    const std::string text = page() + "</head>";
    const std::string pattern = "</head>";
    for (auto _ : state) {
        size_t j = 0;
        long found = -1, start = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == pattern[j]) {
                if (j == 0)
                    start = static_cast<long>(i);
                if (++j == pattern.size()) {
                    found = start;
                    break;
                }
            } else if (std::isspace(static_cast<unsigned char>(c))) {
            } else if (c == pattern[0]) {
                j = 1;
                start = static_cast<long>(i);
            } else {
                j = 0;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_FindNaiveLoop)->Unit(benchmark::kMillisecond);

// End to end: the case-insensitive search over the whole text plus the insertion (which moves
// the tail of the text). The text is restored outside the timed part.
template<bool After>
void insertBench(benchmark::State &state, const std::string &base, const char *tag)
{
    std::string text;
    text.reserve(base.size() + 4096);
    for (auto _ : state) {
        state.PauseTiming();
        text.assign(base);
        state.ResumeTiming();
        CHtmlText html(text);
        const bool ok = After ? html.InsertAfterTag(tag, "<!-- #Begin \"Moveable\" -->\r\n")
                              : html.InsertBefore(tag, "<!-- #Begin \"qxlib\" -->\r\n");
        if (!ok)
            state.SkipWithError("tag not found");
        benchmark::DoNotOptimize(text.data());
    }
    setBytes(state, base.size());
}

void BM_InsertBeforeTagAtEnd(benchmark::State &state)
{
    static const std::string base = page() + "</HEAD>";
    insertBench<false>(state, base, "</head>");
}
BENCHMARK(BM_InsertBeforeTagAtEnd)->Unit(benchmark::kMillisecond);

void BM_InsertBeforeTagAtStart(benchmark::State &state)
{
    static const std::string base = "<HTML><HEAD></HEAD >" + page();
    insertBench<false>(state, base, "</head>");
}
BENCHMARK(BM_InsertBeforeTagAtStart)->Unit(benchmark::kMillisecond);

void BM_InsertAfterTagAtEnd(benchmark::State &state)
{
    static const std::string base = page() + "<BODY bgColor=#ffffff>x";
    insertBench<true>(state, base, "<body");
}
BENCHMARK(BM_InsertAfterTagAtEnd)->Unit(benchmark::kMillisecond);

void BM_ReplaceMacro(benchmark::State &state)
{
    static const std::string base = page() + "$(Date)";
    std::string text;
    for (auto _ : state) {
        state.PauseTiming();
        text.assign(base);
        state.ResumeTiming();
        CHtmlText html(text);
        benchmark::DoNotOptimize(html.ReplaceMacro("Date", "Monday, July 3, 2000"));
    }
    setBytes(state, base.size());
}
BENCHMARK(BM_ReplaceMacro)->Unit(benchmark::kMillisecond);

void BM_IsExtendedPageText(benchmark::State &state)
{
    const std::string &text = page();
    for (auto _ : state)
        benchmark::DoNotOptimize(IsExtendedPageText(text));
    setBytes(state, text.size());
}
BENCHMARK(BM_IsExtendedPageText)->Unit(benchmark::kMillisecond);

} // namespace
