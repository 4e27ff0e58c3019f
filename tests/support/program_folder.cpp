#include "support/program_folder.h"

#include "init/text_builder.h"
#include "support/test_support.h"

#include <nlohmann/json.hpp>

namespace testing_support {

namespace {
constexpr int kVerseCounts[114] = {
    7,   286, 200, 176, 120, 165, 206, 75, 129, 109, 123, 111, 43, 52, 99, 128, 111, 110, 98, 135, 112, 78, 118,
    64,  77,  227, 93,  88,  69,  60,  34, 30,  73,  54,  45,  83, 182, 88, 75,  85,  54,  53, 89,  59, 37,  35,
    38,  29,  18,  45,  60,  49,  62,  55, 78,  96,  29,  22,  24, 13, 14, 11,  11,  18,  12, 12,  30, 52,  52,
    44,  28,  28,  20,  56,  40,  31,  50, 40,  46,  42,  29,  19, 36, 25, 22,  17,  19,  26, 30,  20, 15,  21,
    11,  8,   8,   19,  5,   8,   8,   11, 11,  8,   3,   9,   5,  4,  7,  3,   6,   3,   5,  4,   5,  6};
}  // namespace

int verseCount(int sura) { return sura >= 1 && sura <= 114 ? kVerseCounts[sura - 1] : 0; }

std::string testVerseText(int sura, int verse)
{
    if (sura == 1 && verse == 1)
        return "In the name of Allah, the test opening line";
    std::string text = "Test line " + std::to_string(sura) + ":" + std::to_string(verse);
    if (verse % 5 == 0)
        text += " with mercy";
    if (verse % 7 == 0)
        text += " and forgive";
    if (verse % 3 == 0)
        text += ", says Allah";
    return text + ".";
}

void makeTestProgramFolder(const std::filesystem::path& folder)
{
    nlohmann::json suras = nlohmann::json::array();
    for (int s = 1; s <= 114; ++s) {
        nlohmann::json verses = nlohmann::json::array();
        for (int v = 1; v <= verseCount(s); ++v)
            verses.push_back({{"id", v}, {"translation", testVerseText(s, v)}});
        suras.push_back({{"id", s},
                         {"translation", "Test Sura " + std::to_string(s)},
                         {"transliteration", "At-Test-" + std::to_string(s)},
                         {"verses", verses}});
    }
    const auto sample = folder / ".sample";
    writeFile(sample / "dist" / "quran_en.json", suras.dump());
    init::buildProgramFolder({folder, sample, sourceDir() / "data", "English", {}});
    std::filesystem::remove_all(sample);
}

}  // namespace testing_support
