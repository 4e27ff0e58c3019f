// Copy, save and separate windows on the full text, with the whole of
// sura 2 in the reading pane (shown by "VIEW VERSES" 2:0 to 2:286): the
// formatted copy of everything (RTF and plain text on the clipboard), the
// display saved as RTF and as HTML, and a separate window opened on it
// (its view built, as the reader sees it).
#include "bench_window.h"
#include "export/export_ui.h"
#include "export/frm_display.h"
#include "export/save_format.h"
#include "export/write_panel.h"
#include "reading/reading_view.h"
#include "reading/rich_text_pane.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

ExportUi* showSura2(benchmark::State& state)
{
    bench::Window* w = bench::window();
    if (!w) {
        state.SkipWithError("no text database; run scripts/setup");
        return nullptr;
    }
    auto* ui = w->main->findChild<ExportUi*>();
    static bool shown = false;
    if (!shown) {
        ui->panel()->txtStartSura()->setText(QStringLiteral("2"));
        ui->panel()->txtStartVerse()->setText(QStringLiteral("0"));
        ui->panel()->txtEndSura()->setText(QStringLiteral("2"));
        ui->panel()->txtEndVerse()->setText(QStringLiteral("286"));
        shown = ui->Command18_Click();
        w->main->reading().flushViews();
        if (!shown) {
            state.SkipWithError("sura 2 could not be shown");
            return nullptr;
        }
    }
    return ui;
}

void setCounters(benchmark::State& state)
{
    bench::Window* w = bench::window();
    state.counters["chars"] = w->main->reading().text().length();
    state.counters["verses"] = w->main->verseList()->count();
    state.counters["boxes"] = w->prompter.boxes;
}

void CopyWholeSura2BothFormats(benchmark::State& state)
{
    ExportUi* ui = showSura2(state);
    if (!ui)
        return;
    for (auto _ : state)
        ui->mnuCET_Click();
    setCounters(state);
}
BENCHMARK(CopyWholeSura2BothFormats)->Unit(benchmark::kMillisecond);

void SaveSura2(benchmark::State& state, exporting::Format format)
{
    ExportUi* ui = showSura2(state);
    if (!ui)
        return;
    const auto& doc = bench::mainWindow()->reading().text();
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zerafin-bench-sura2" + exporting::extensionOf(format));
    std::string failure;
    for (auto _ : state) {
        // What "SAVE TO FILE" does once the name is chosen.
        if (!exporting::saveWhole(file, exporting::documentAs(doc, format, "Sura 2"), failure))
            return state.SkipWithError(failure.c_str());
    }
    std::error_code ec;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file, ec));
    std::filesystem::remove(file, ec);
    setCounters(state);
}
void SaveSura2AsRtf(benchmark::State& state) { SaveSura2(state, exporting::Format::Rtf); }
void SaveSura2AsHtml(benchmark::State& state) { SaveSura2(state, exporting::Format::Html); }
BENCHMARK(SaveSura2AsRtf)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveSura2AsHtml)->Unit(benchmark::kMillisecond);

void OpenSeparateWindowOnSura2(benchmark::State& state)
{
    ExportUi* ui = showSura2(state);
    if (!ui)
        return;
    for (auto _ : state) {
        frmDisplay* display = ui->mnuDisplaySep_Click();
        display->rtf()->flush();
        state.PauseTiming();
        delete display;
        state.ResumeTiming();
    }
    setCounters(state);
}
BENCHMARK(OpenSeparateWindowOnSura2)->Unit(benchmark::kMillisecond);

void ViewVersesOfSura2(benchmark::State& state)
{
    ExportUi* ui = showSura2(state);
    if (!ui)
        return;
    for (auto _ : state) {
        ui->Command18_Click();
        bench::mainWindow()->reading().flushViews();
    }
    setCounters(state);
}
BENCHMARK(ViewVersesOfSura2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runWindowBenchmarks(argc, argv); }
