// References typed or picked for a jump, the reference under the caret,
// the pages of a result list and the auto-scroll delay.
#include "reading/navigation_logic.h"

#include <gtest/gtest.h>

#include <set>

using db::VerseRef;
using namespace reading;

TEST(JumpReference, ReadsSuraAndVerseAndIgnoresWhatFollowsTheVerse)
{
    EXPECT_EQ(parseJumpReference("2:255"), (VerseRef{2, 255}));
    EXPECT_EQ(parseJumpReference("2:255]"), (VerseRef{2, 255}));
    EXPECT_EQ(parseJumpReference(" 16 : 98 "), (VerseRef{16, 98}));
    EXPECT_EQ(parseJumpReference("2:0"), (VerseRef{2, 0}));
    EXPECT_EQ(parseJumpReference("10:1 and more"), (VerseRef{10, 1}));
}

TEST(JumpReference, TextThatIsNotANumberIsRefused)
{
    for (const char* bad : {"2:abc", "x:1", "2:", ":5", "2", "", "2:-1", "-2:1", "2;5", "1e2:3", "2.5:1", "2:]",
                            "V.2:255", "99999999999999999999:1", "2:1234567", "2:'; drop table ZOVR"})
        EXPECT_FALSE(parseJumpReference(bad).has_value()) << bad;
}

TEST(JumpReference, VerseListIndexSkipsTheOpeningThatSuras1And9Lack)
{
    EXPECT_EQ(verseListIndex({9, 1}), 0);
    EXPECT_EQ(verseListIndex({10, 1}), 1);
    EXPECT_EQ(verseListIndex({1, 1}), 0);
    EXPECT_EQ(verseListIndex({1, 7}), 6);
    EXPECT_EQ(verseListIndex({2, 0}), 0);
    EXPECT_EQ(verseListIndex({2, 286}), 286);
}

TEST(GoToVerse, AnEmptyVerseMeansTheSurasFirstVerse)
{
    auto r = checkGoToVerse("2", "", 286);
    EXPECT_EQ(r.verseText, "0");
    EXPECT_EQ(r.target, (VerseRef{2, 0}));

    r = checkGoToVerse(" 1 ", "", 7);
    EXPECT_EQ(r.verseText, "1");
    EXPECT_EQ(r.target, (VerseRef{1, 1}));

    // Sura 9 has no opening either: its first verse is 1, not a blank 9:0.
    r = checkGoToVerse("9", "", 129);
    EXPECT_EQ(r.verseText, "1");
    EXPECT_EQ(r.target, (VerseRef{9, 1}));

    // Without a sura the verse box stays as it is.
    r = checkGoToVerse("", "", std::nullopt);
    EXPECT_EQ(r.verseText, "");
    EXPECT_FALSE(r.target);
}

TEST(GoToVerse, OnlyAVerseOfTheSuraIsATarget)
{
    EXPECT_EQ(checkGoToVerse("2", "286", 286).target, (VerseRef{2, 286}));
    EXPECT_EQ(checkGoToVerse(" 2", "7 ", 286).target, (VerseRef{2, 7}));
    EXPECT_FALSE(checkGoToVerse("2", "287", 286).target);
    EXPECT_FALSE(checkGoToVerse("1", "0", 7).target);
    EXPECT_FALSE(checkGoToVerse("2", "-1", 286).target);
    EXPECT_FALSE(checkGoToVerse("2", "2.5", 286).target);
    EXPECT_FALSE(checkGoToVerse("2", "abc", 286).target);
    EXPECT_FALSE(checkGoToVerse("abc", "1", std::nullopt).target);
    // A sura without verses has no count: nothing to jump to, not even its verse 0.
    EXPECT_FALSE(checkGoToVerse("115", "", std::nullopt).target);
    EXPECT_FALSE(checkGoToVerse("0", "0", std::nullopt).target);
    EXPECT_FALSE(checkGoToVerse("115", "0", 5).target);

    EXPECT_EQ(verseCountCaption(286), "Verses 286");
    EXPECT_EQ(verseCountCaption(std::nullopt), "");
}

TEST(CaretReference, TheRunOfDigitsAndColonsAroundTheCaret)
{
    const std::u16string text = u"Read [2:255] now";
    // Caret after "[", inside the number, and just before "]".
    for (int caret : {6, 7, 8, 9, 11}) {
        const auto run = referenceAtCaret(text, caret);
        ASSERT_TRUE(run) << caret;
        EXPECT_EQ(text.substr(static_cast<size_t>(run->start), static_cast<size_t>(run->length)), u"2:255") << caret;
        EXPECT_EQ(run->ref, (VerseRef{2, 255})) << caret;
    }
    // In the words, or too far from any digit.
    for (int caret : {0, 1, 3, 14, 16})
        EXPECT_FALSE(referenceAtCaret(text, caret)) << caret;
    // Right after "]": a digit two places back, but the run after the caret is empty.
    const auto after = referenceAtCaret(text, 12);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->length, 0);
    EXPECT_FALSE(after->ref);
}

TEST(CaretReference, EdgesOfTheTextLineBreaksAndNumbersWithoutAColon)
{
    // A reference at the very start and at the very end of the text.
    EXPECT_EQ(referenceAtCaret(u"2:3 is short", 1)->ref, (VerseRef{2, 3}));
    EXPECT_EQ(referenceAtCaret(u"see 12:3", 8)->ref, (VerseRef{12, 3}));
    // The caret is a position in the text where a line break counts two.
    const std::u16string lines = u"Sura 3\r\n[3:4] words";
    EXPECT_EQ(referenceAtCaret(lines, 11)->ref, (VerseRef{3, 4}));
    // A number alone is a run, but no reference.
    const auto number = referenceAtCaret(u"the 255 verses", 6);
    ASSERT_TRUE(number);
    EXPECT_EQ(number->length, 3);
    EXPECT_FALSE(number->ref);
    // A colon with nothing on one side is no reference either.
    EXPECT_FALSE(referenceAtCaret(u"at 5: the", 4)->ref);
    // The verse is the first number after the first colon.
    EXPECT_EQ(referenceAtCaret(u"x 2:5:7", 4)->ref, (VerseRef{2, 5}));
    // Out of range carets find nothing.
    EXPECT_FALSE(referenceAtCaret(u"2:3", 4));
    EXPECT_FALSE(referenceAtCaret(u"", 0));
}

namespace {

// The checked entries after a page turn applied to them.
std::set<int> applyTurn(const PageTurn& turn, std::set<int> checked)
{
    for (const auto& r : turn.uncheck)
        for (int k = r.first; k <= r.last; ++k)
            checked.erase(k);
    for (int k = turn.check.first; k <= turn.check.last; ++k)
        checked.insert(k);
    return checked;
}

std::set<int> rows(int first, int last)
{
    std::set<int> out;
    for (int k = first; k <= last; ++k)
        out.insert(k);
    return out;
}

}  // namespace

TEST(ResultPages, PagesOf51EntriesAndBackToTheFirst)
{
    // A search of 120 hits shows entries 0 to 50 and counts 51 shown.
    std::set<int> checked = rows(0, 50);
    int picked = 51;
    const std::set<int> expected[] = {rows(51, 101), rows(102, 119), rows(0, 50), rows(51, 101)};
    for (const auto& page : expected) {
        const auto turn = nextResultPage(picked, 120);
        checked = applyTurn(turn, checked);
        EXPECT_EQ(checked, page);
        picked = turn.picked;
    }
    EXPECT_EQ(picked, 102);

    // "Show First 50 Verses" from any page, the last one or one in the middle.
    for (int from : {51, 102, 120}) {
        std::set<int> shown = from == 102 ? rows(51, 101) : from == 120 ? rows(102, 119) : rows(0, 50);
        const auto turn = firstResultPage(from, 120);
        EXPECT_EQ(applyTurn(turn, shown), rows(0, 50)) << from;
        EXPECT_EQ(turn.picked, 51);
    }
}

TEST(ResultPages, ShortAndEmptyListsAndAStaleCount)
{
    // Fewer entries than a page: the one page again.
    auto turn = nextResultPage(30, 30);
    EXPECT_EQ(applyTurn(turn, rows(0, 29)), rows(0, 29));
    EXPECT_EQ(turn.picked, 30);

    turn = nextResultPage(0, 0);
    EXPECT_TRUE(turn.check.empty());
    EXPECT_TRUE(turn.uncheck.empty());
    EXPECT_EQ(turn.picked, 0);

    // A count beyond a list that has since become shorter starts again.
    turn = nextResultPage(200, 10);
    EXPECT_EQ(applyTurn(turn, {}), rows(0, 9));
    EXPECT_EQ(turn.picked, 10);
}

TEST(AutoScrollSpeed, DelayIsSpeedTimesTheTextOnScreen)
{
    EXPECT_EQ(scrollInterval("60", 150), 9000);
    EXPECT_EQ(scrollInterval(" 40 ", 10), 400);
    // Rounded half to even, and never below one millisecond for a real speed.
    EXPECT_EQ(scrollInterval("2.5", 3), 8);
    EXPECT_EQ(scrollInterval("2.5", 1), 2);
    EXPECT_EQ(scrollInterval("0.001", 10), 1);
    // An empty pane still gets a step.
    EXPECT_EQ(scrollInterval("60", 0), 60);
    // The longest delay the timer takes.
    EXPECT_EQ(scrollInterval("100", 656), kMaxScrollInterval);
    EXPECT_EQ(scrollInterval("100", 655), 65500);
    EXPECT_EQ(scrollInterval("1e300", 5), kMaxScrollInterval);
    // A speed that is not a positive number: the timer does not fire.
    for (const char* bad : {"", "abc", "0", "-60", "60ms"})
        EXPECT_EQ(scrollInterval(bad, 150), 0) << bad;

    ASSERT_EQ(scrollSpeeds().size(), 6u);
    EXPECT_EQ(scrollSpeeds()[kDefaultSpeedIndex].item, "Medium");
    EXPECT_EQ(scrollSpeeds()[kCustomSpeedIndex].item, "Custom");
    const char* values[] = {"100", "80", "60", "40", "20", "60"};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(scrollSpeeds()[i].msPerCharacter, values[i]);
}
