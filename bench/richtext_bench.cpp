// RTF read and write speed on verse-sized documents and on a whole-sura
// document, and the verse display of all rows of sura 2 with two highlight
// words, on the model alone and with the reading pane's view brought up to
// date. Run on the build's full text database.
#include "shell/main_state.h"
#include "reading/reading_view.h"
#include "reading/richtext/rich_text_document.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/richtext/rtf_writer.h"
#include "reading/verse_renderer.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QListWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kSura = 2;
const char* const kWords[] = {"Allah", "believe"};

struct Sample {
    std::vector<std::string> verses;  // stored RTF of every row of the sura
    std::string sura;                 // the whole sura as one displayed document
    size_t verseBytes = 0;
};

bool openText(MainState& state)
{
    const std::filesystem::path file = std::filesystem::path(ZF_BIN_DIR) / "English.ttb";
    return std::filesystem::exists(file) && state.connection.openFile(file);
}

const Sample& sample()
{
    static const Sample s = [] {
        Sample out;
        MainState state;
        if (!openText(state))
            return out;
        db::Recordset rs;
        rs.open("SELECT Words FROM ZOVR WHERE Sura=" + std::to_string(kSura) + " ORDER BY Verse", state.connection);
        richtext::RichTextDocument whole;
        for (; !rs.eof(); rs.moveNext()) {
            out.verses.push_back(rs.field(0).toString());
            out.verseBytes += out.verses.back().size();
            whole.setSelText(out.verses.back());
        }
        out.sura = whole.rtf();
        return out;
    }();
    return s;
}

bool haveSample(benchmark::State& state)
{
    if (sample().verses.empty()) {
        state.SkipWithError("build/bin/English.ttb is missing: run make first");
        return false;
    }
    return true;
}

void BM_ReadVerses(benchmark::State& state)
{
    if (!haveSample(state))
        return;
    const auto& s = sample();
    for (auto _ : state)
        for (const auto& v : s.verses)
            benchmark::DoNotOptimize(richtext::readRtf(v));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.verseBytes));
    state.counters["verses"] = static_cast<double>(s.verses.size());
}
BENCHMARK(BM_ReadVerses)->Unit(benchmark::kMillisecond);

void BM_WriteVerses(benchmark::State& state)
{
    if (!haveSample(state))
        return;
    const auto& s = sample();
    std::vector<richtext::Document> docs;
    size_t bytes = 0;
    for (const auto& v : s.verses) {
        docs.push_back(richtext::readRtf(v));
        bytes += richtext::writeRtf(docs.back()).size();
    }
    for (auto _ : state)
        for (const auto& d : docs)
            benchmark::DoNotOptimize(richtext::writeRtf(d));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteVerses)->Unit(benchmark::kMillisecond);

void BM_ReadWholeSura(benchmark::State& state)
{
    if (!haveSample(state))
        return;
    const std::string& rtf = sample().sura;
    for (auto _ : state)
        benchmark::DoNotOptimize(richtext::readRtf(rtf));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
    state.counters["KB"] = static_cast<double>(rtf.size()) / 1024;
}
BENCHMARK(BM_ReadWholeSura)->Unit(benchmark::kMillisecond);

void BM_WriteWholeSura(benchmark::State& state)
{
    if (!haveSample(state))
        return;
    const richtext::Document doc = richtext::readRtf(sample().sura);
    const size_t bytes = richtext::writeRtf(doc).size();
    for (auto _ : state)
        benchmark::DoNotOptimize(richtext::writeRtf(doc));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteWholeSura)->Unit(benchmark::kMillisecond);

// About 2 MB of Russian text in a three-column table, as a word processor
// saves it: every letter a "\'hh" escape in the Cyrillic code page.
const std::string& cyrillicTables()
{
    static const std::string doc = [] {
        // "Привет, мир" / "Москва" / "книга" in code page 1251.
        const std::string cells[] = {"\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2, \\'ec\\'e8\\'f0",
                                     "\\'cc\\'ee\\'f1\\'ea\\'e2\\'e0",
                                     "\\'ea\\'ed\\'e8\\'e3\\'e0 \\b 12\\b0"};
        std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}"
                          "{\\f1\\fswiss\\fcharset204 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}\n";
        while (out.size() < 2 * 1024 * 1024) {
            out += "\\trowd\\trgaph108\\trleft-108\\cellx3000\\cellx6000\\cellx9000\n";
            for (const auto& c : cells)
                out += "\\pard\\intbl\\f0\\fs24 " + c + " " + c + "\\cell ";
            out += "\\row\n";
        }
        return out + "}";
    }();
    return doc;
}

void BM_ReadCyrillicTables(benchmark::State& state)
{
    const std::string& rtf = cyrillicTables();
    for (auto _ : state)
        benchmark::DoNotOptimize(richtext::readRtf(rtf));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * rtf.size()));
    state.counters["KB"] = static_cast<double>(rtf.size()) / 1024;
}
BENCHMARK(BM_ReadCyrillicTables)->Unit(benchmark::kMillisecond);

// Every row of the sura checked, as "Show All" leaves the verse list.
void BM_OpenVerseModel(benchmark::State& state)
{
    if (!haveSample(state))
        return;
    MainState main;
    openText(main);
    reading::MemoryDisplaySettings display;
    reading::MemoryHighlightSettings highlight;
    highlight.words[0] = kWords[0];
    highlight.words[1] = kWords[1];
    reading::MemorySurface surface;
    richtext::RichTextDocument msg, footnote, fordata;
    reading::VerseRenderer renderer(renderSession(main), display, highlight, surface, msg, footnote, fordata);
    renderer.openSura(kSura);
    std::vector<std::string> entries;
    for (size_t v = 0; v < sample().verses.size(); ++v)
        entries.push_back(std::to_string(v));
    surface.setEntries(entries);
    for (size_t i = 0; i < entries.size(); ++i)
        surface.check(static_cast<int>(i));
    for (auto _ : state) {
        renderer.OpenVerse();
        benchmark::DoNotOptimize(msg.length());
    }
    state.counters["rows"] = static_cast<double>(entries.size());
    state.counters["chars"] = msg.length();
}
BENCHMARK(BM_OpenVerseModel)->Unit(benchmark::kMillisecond);

// The same with the reading pane on screen: the view rebuilt and laid out.
void BM_OpenVerseWithView(benchmark::State& state)
{
    if (!haveSample(state))
        return;
    MainState main;
    openText(main);
    reading::MemoryDisplaySettings display;
    reading::MemoryHighlightSettings highlight;
    highlight.words[0] = kWords[0];
    highlight.words[1] = kWords[1];
    QWidget window;
    window.resize(1000, 700);
    ReadingView view(main, display, highlight, &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view.msg());
    window.show();
    view.showVerse(kSura, 0);
    for (size_t v = 0; v < sample().verses.size(); ++v)
        view.verseList()->addItem(QString::number(v));
    view.verseList()->selectAll();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        view.OpenVerse();
        view.flushViews();
        // Lay the whole document out, as showing and scrolling it needs.
        benchmark::DoNotOptimize(view.msg()->view()->document()->documentLayout()->documentSize());
    }
    state.counters["blocks"] = view.msg()->view()->document()->blockCount();
}
BENCHMARK(BM_OpenVerseWithView)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
