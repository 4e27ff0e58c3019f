// zerafin-init: the first-time initialisation. Builds the text database and
// the companion documents in the program folder, reports its progress under
// "pStatus" while it works, and writes "css" last.

#include "core/program_folder.h"
#include "core/settings_store.h"
#include "db/database.h"
#include "init/text_builder.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Built, but the earlier text database was set aside instead of carried over.
constexpr int kStatusSetAside = 3;

void usage()
{
    std::fputs("usage: zerafin-init [--out DIR] [--sample DIR] [--data DIR] [--language NAME] [--no-progress] [--quiet]\n"
               "  --out DIR       program folder to build (default: the folder of this program)\n"
               "  --sample DIR    unpacked quran-json package holding dist/quran_en.json (default: sample/ in\n"
               "                  the program folder, where the build and the installation put it)\n"
               "  --data DIR      the project's data folder (subtitles, footnotes, glossary ...); default: data/\n"
               "                  in the program folder, else the source tree\n"
               "  --language NAME name of the text database (default English); a plain name, not a path\n"
               "  --no-progress   do not report progress in the settings store\n"
               "exit status: 0 built; 1 failed and nothing was replaced; 2 wrong arguments; 3 built, but the\n"
               "earlier text database could not be carried over and was kept beside it under another name\n",
               stderr);
}

// The sample text: named by the environment, else the copy that travels
// in the program folder. Never the build machine's download cache: an
// installed or copied program finds its own.
std::filesystem::path defaultSampleDir()
{
    if (const char* v = std::getenv("ZERAFIN_SAMPLE_DIR"); v && *v)
        return v;
    const std::filesystem::path own = programFolder() / "sample";
    std::error_code ec;
    return std::filesystem::exists(own / "dist" / "quran_en.json", ec) ? own : std::filesystem::path();
}

// The project's data: beside the program, then where an installation puts
// it, then the source tree this program was built from.
std::filesystem::path defaultDataDir()
{
    if (const char* v = std::getenv("ZERAFIN_DATA_DIR"); v && *v)
        return v;
    const std::filesystem::path here = programFolder();
    for (const auto& candidate : {here / "data", executableFolder().parent_path() / "share" / "zerafin" / "data"}) {
        std::error_code ec;
        if (std::filesystem::is_directory(candidate, ec))
            return candidate;
    }
    return ZERAFIN_DATA_DIR;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    init::BuildOptions o;
    o.outDir = programFolder();
    o.sampleDir = defaultSampleDir();
    o.dataDir = defaultDataDir();
    bool progress = true, quiet = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--out")
            o.outDir = next();
        else if (a == "--sample")
            o.sampleDir = next();
        else if (a == "--data")
            o.dataDir = next();
        else if (a == "--language")
            o.language = next();
        else if (a == "--no-progress")
            progress = false;
        else if (a == "--quiet")
            quiet = true;
        else if (a == "--help" || a == "-h") {
            usage();
            return 0;
        } else {
            std::fprintf(stderr, "zerafin-init: unknown option %s\n", a.c_str());
            usage();
            return 2;
        }
    }
    if (!db::isPlainLanguageName(o.language)) {
        std::fprintf(stderr, "zerafin-init: --language takes a plain name such as English, not a path: '%s'\n",
                     o.language.c_str());
        return 2;
    }
    if (o.sampleDir.empty()) {
        std::fprintf(stderr, "zerafin-init: no sample text in %s; run scripts/setup (or make) to put it there, "
                             "or pass --sample DIR\n",
                     (programFolder() / "sample").c_str());
        return 1;
    }

    SettingsStore store;
    int last = -1;
    if (progress)
        o.progress = [&](int value) {
            // Enough steps for a smooth bar without rewriting the file for every verse.
            if (value == last || (value - last < 400 && value != SettingsStore::kProgressDone && value != 0))
                return;
            last = value;
            store.setProgress(value);
        };
    auto start = std::chrono::steady_clock::now();
    try {
        init::BuildReport r = init::buildProgramFolder(o);
        if (!quiet) {
            auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
            std::printf("zerafin-init: %s/%s.ttb built in %lld ms: %d verse rows, %d subtitles, %d footnotes, "
                        "%d notes and %d topic rows kept\n",
                        o.outDir.c_str(), o.language.c_str(), static_cast<long long>(ms), r.counts.verseRows,
                        r.counts.subtitles, r.counts.footnotes, r.counts.notesKept, r.counts.topicRowsKept);
        }
        if (!r.setAside.keptAs.empty()) {
            // Built, but nothing could be carried over from the earlier
            // file: say so even with --quiet, and in the status.
            std::fprintf(stderr,
                         "zerafin-init: the earlier %s.ttb was not carried over (%s); it was kept as %s "
                         "and the new one holds no notes, topics or word-group edits from it\n",
                         o.language.c_str(), r.setAside.reason.c_str(), r.setAside.keptAs.c_str());
            return kStatusSetAside;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zerafin-init: %s\n", e.what());
        return 1;
    }
    return 0;
}
