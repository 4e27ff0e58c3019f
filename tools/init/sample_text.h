#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace init {

struct SuraText {
    int number = 0;
    std::string englishName;     // "The Cow"
    std::string translitName;    // "Al-Baqarah"
    std::vector<std::string> verses;  // verse k at index k - 1
};

// The sample translation: 114 suras in the standard order.
struct SampleText {
    std::vector<SuraText> suras;
    int verseCount() const;
};

// No sura may have more verses: a verse is keyed as sura * 1000 + verse.
inline constexpr int kMaxVerses = 999;

// Reads dist/quran_en.json (and, for the names, dist/chapters/en/index.json
// when it is there) from the unpacked quran-json package. Throws
// std::runtime_error with a readable message when the package is missing,
// not in the expected shape, holds a sura of more than 999 verses or a NUL
// in a verse, or differs from the checksum set-up recorded beside it
// (dist/quran_en.json.sha256, in the form sha256sum writes).
SampleText loadSampleText(const std::filesystem::path& packageDir);

// Lower-case hex SHA-256 of the bytes.
std::string sha256Hex(const std::string& bytes);

// The chronological order of revelation: entry k is the sura revealed
// (k + 1)-th. A fact of the scripture's history.
const std::vector<int>& revelationOrder();

}  // namespace init
