#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace db {

inline constexpr int kSuraCount = 114;

// A place in the scripture: sura 1..114 in the standard order and a verse
// number (0 is the unnumbered opening that every sura but 1 and 9 has).
struct VerseRef {
    int sura = 0;
    int verse = 0;

    // "2:255"
    std::string display() const;
    // "[2:255]", as in lists and verse texts
    std::string bracketed() const;
    // Ordering key used by range statements; no sura has 1000 verses.
    long key() const { return static_cast<long>(sura) * 1000 + verse; }
    static VerseRef fromKey(long key) { return {static_cast<int>(key / 1000), static_cast<int>(key % 1000)}; }

    // Reads "2:255" or "[2:255]" (blanks around the numbers allowed).
    // Nothing else is accepted.
    static std::optional<VerseRef> parse(std::string_view text);

    bool operator==(const VerseRef&) const = default;
    auto operator<=>(const VerseRef&) const = default;
};

// Suras 1 and 9 have no verse-0 opening row.
inline bool hasOpeningRow(int sura) { return sura != 1 && sura != 9; }

}  // namespace db
