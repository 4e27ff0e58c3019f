#pragma once

#include "db/verse_ref.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The arithmetic behind moving through the text: reading a typed or picked
// reference, where a verse stands in its sura's verse list, the reference
// under the caret of the reading pane, the pages of a result list and the
// auto-scroll delay. Plain functions of their inputs; the window feeds them
// from its controls.
namespace reading {

// ---- references ---------------------------------------------------------------

// A reference to jump to: the sura, ":" and the verse ("2:255"). The list of
// subtitles and footnotes hands over "2:255]", so anything after the
// verse's digits is ignored; blanks around the numbers are allowed. Text
// that does not start with a number on either side ("2:abc", "x:1", "2:")
// is refused rather than read as 0, so it can never reach a statement.
std::optional<db::VerseRef> parseJumpReference(std::string_view text);

// The index of a verse in the verse list of its sura: every sura but 1 and
// 9 starts its list with the unnumbered opening, verse 0.
int verseListIndex(const db::VerseRef& ref);
// The lowest verse number a sura's list holds.
int firstVerseOf(int sura);

// The caption under the sura box of the "Go to Verse" panel: "Verses 286",
// or empty when the sura is unknown.
std::string verseCountCaption(std::optional<long long> lastVerse);

// What "JUMP TO VERSE" makes of the two boxes. An empty verse box means the
// sura's first verse: 0 (its opening) for most suras, 1 for the suras that
// have no opening. The target is set only when both boxes hold whole
// numbers, the sura has verses (lastVerse) and the verse is one of them.
struct GoToVerseRequest {
    std::string verseText;  // what the verse box shows afterwards
    std::optional<db::VerseRef> target;
};
GoToVerseRequest checkGoToVerse(std::string_view suraText, std::string_view verseText,
                                std::optional<long long> lastVerse);

// ---- the reference under the caret -------------------------------------------

// The run of digits and colons around the caret of a plain text (UTF-16
// units, CR LF counting two), as "Jump to Verse Selected by Cursor" takes
// it. Found only when the caret is past the first character and a digit
// stands just before it, two before it or just after it. The run starts at
// the character before the caret and extends left over digits and colons,
// and right from the character after the caret.
struct CaretRun {
    int start = 0;  // UTF-16 offset of the run
    int length = 0;
    // Set when the run holds a colon with digits before and after it.
    std::optional<db::VerseRef> ref;
};
std::optional<CaretRun> referenceAtCaret(std::u16string_view text, int caret);

// ---- result pages -------------------------------------------------------------

inline constexpr int kResultPageSize = 51;

// Inclusive range of list indexes; empty when last < first.
struct IndexRange {
    int first = 0;
    int last = -1;
    bool empty() const { return last < first; }
    bool operator==(const IndexRange&) const = default;
};

// One turn of the result pages: what to uncheck, what to check, and the new
// count of entries shown (the index of the next entry to show).
struct PageTurn {
    std::vector<IndexRange> uncheck;
    IndexRange check;
    int picked = 0;
};

// "Show Next 50 Verses": the page before `picked` is unchecked and the next
// 51 entries from `picked` are checked; after the last page it starts again
// at the first. `picked` beyond the list (a list that shrank) also starts
// again.
PageTurn nextResultPage(int picked, int count);
// "Show First 50 Verses": the page shown now is unchecked and entries 0 to
// 50 are checked, whichever page was shown.
PageTurn firstResultPage(int picked, int count);

// ---- auto-scroll -------------------------------------------------------------

// The largest delay the scroll timer takes, in milliseconds.
inline constexpr int kMaxScrollInterval = 65535;

struct ScrollSpeed {
    std::string_view item;
    std::string_view msPerCharacter;
};
// "Very Slow" … "Very High" and "Custom" (whose "60" is only a start).
const std::vector<ScrollSpeed>& scrollSpeeds();
inline constexpr int kCustomSpeedIndex = 5;
inline constexpr int kDefaultSpeedIndex = 2;  // "Medium"

// The delay before the next step: milliseconds per character × characters
// on screen, rounded. A speed that is not a positive number gives 0 (the
// timer does not fire). An empty pane counts as one character, so that
// scrolling still gets going; the delay is at most kMaxScrollInterval.
int scrollInterval(std::string_view msPerCharacter, int characters);

}  // namespace reading
