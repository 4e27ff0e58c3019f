#include "numbers/arabic_entry.h"
#include "numbers/letters.h"
#include "numbers/utf8.h"

#include <gtest/gtest.h>

#include <set>

using namespace numbers;

namespace {

constexpr char32_t kAlef = U'\u0627', kBeh = U'\u0628', kJeem = U'\u062C', kSeen = U'\u0633', kSheen = U'\u0634';

std::u32string fromLatin(std::string_view latin)
{
    GvExpression e;
    e.getArabicUtf8(latin);
    return e.expression();
}

}  // namespace

TEST(Transliteration, CodesWindowsAndSpaces)
{
    GvExpression e;
    e.getArabicUtf8(" A B");
    // The working copy holds reverse reading order with the added space
    // last; the expression box shows the same letters in reading order.
    EXPECT_EQ(e.workingCopy(), (std::u32string{kBeh, kAlef, U' '}));
    EXPECT_EQ(e.expression(), (std::u32string{U' ', kAlef, kBeh}));

    // Windows overlap: in " A Sh" the window " S" is found before "Sh".
    EXPECT_EQ(transliterate(U" ASh"), (std::u32string{kAlef, kSheen}));
    EXPECT_EQ(transliterate(U" A Sh"), (std::u32string{kAlef, kSeen, kSheen}));
    EXPECT_EQ(transliterate(U" HH"), U"\u0647\u062D");
    EXPECT_EQ(transliterate(U"HH"), U"\u062D");
    EXPECT_EQ(transliterate(U"'A"), U"\u0639");
    EXPECT_EQ(transliterate(U" Y"), U"\u0649");

    // Two spaces are a word space; one space between codes is nothing.
    EXPECT_EQ(transliterate(U" A  B"), (std::u32string{kAlef, U' ', kBeh}));
    EXPECT_EQ(transliterate(U" A B"), (std::u32string{kAlef, kBeh}));

    // Codes keep their letter case; the last lone character is no code.
    EXPECT_EQ(transliterate(U" a sh ss"), U"");
    EXPECT_EQ(transliterate(U"A"), U"");
    EXPECT_EQ(transliterate(U""), U"");

    // Every two-letter code of the table, as a reader would write a word.
    EXPECT_EQ(fromLatin(" L'ADDZZTTGhThKhDhSSHH"),
              U" \u0644\u0639\u0636\u0638\u0637\u063A\u062B\u062E\u0630\u0635\u062D");
    EXPECT_EQ(fromLatin(" Q R T F K M N W Z G D"),
              U" \u0642\u0631\u062A\u0641\u0643\u0645\u0646\u0648\u0632\u062C\u062F");
}

TEST(Transliteration, BuildsOnTheWorkingCopy)
{
    GvExpression e;
    e.getArabicUtf8("");  // an empty text only adds the one space
    EXPECT_EQ(e.workingCopy(), U" ");
    e.reset();

    e.getArabicUtf8(" A B");
    e.getArabicUtf8(" G");
    EXPECT_EQ(e.workingCopy(), (std::u32string{kJeem, kBeh, kAlef, U' ', U' '}));
    EXPECT_EQ(e.expression(), (std::u32string{U' ', U' ', kAlef, kBeh, kJeem}));

    // "Clear All" empties the working copy only; the next conversion starts afresh.
    EXPECT_FALSE(e.clickKey(kClearAllKey, true));
    EXPECT_EQ(e.workingCopy(), U"");
    EXPECT_EQ(e.expression(), (std::u32string{U' ', U' ', kAlef, kBeh, kJeem}));
    e.getArabicUtf8(" B");
    EXPECT_EQ(e.expression(), (std::u32string{U' ', kBeh}));

    // The calculations read the expression in reading order.
    e.reset();
    e.getArabicUtf8(" A B  G D");
    EXPECT_EQ(e.wordWise({}), " 3 7");
}

TEST(Keyboard, KeysTypeInReadingOrderOnlyWithClickToType)
{
    GvExpression e;
    EXPECT_FALSE(e.clickKey(6, false));
    EXPECT_FALSE(e.clickKey(kSpaceKey, false));
    EXPECT_TRUE(e.expression().empty());
    EXPECT_TRUE(e.workingCopy().empty());

    EXPECT_TRUE(e.clickKey(6, true));   // alef
    EXPECT_TRUE(e.clickKey(7, true));   // beh
    EXPECT_TRUE(e.clickKey(kSpaceKey, true));
    EXPECT_TRUE(e.clickKey(11, true));  // jeem
    EXPECT_TRUE(e.clickKey(14, true));  // dal
    EXPECT_EQ(e.expression(), U"\u0627\u0628 \u062C\u062F");
    EXPECT_EQ(e.workingCopy(), U"\u062F\u062C \u0628\u0627");
    EXPECT_FALSE(e.clickKey(31, true));  // there is no key 31
    EXPECT_FALSE(e.clickKey(5, true));

    EXPECT_EQ(e.wordWise(GvOptions{true, false, false, false, false}), " 1  3 2  7");
    EXPECT_EQ(e.letterWise({}), "  1 2  3 4");

    // "Clear All" keeps the visible expression.
    EXPECT_FALSE(e.clickKey(kClearAllKey, true));
    EXPECT_EQ(e.expression(), U"\u0627\u0628 \u062C\u062F");
    EXPECT_TRUE(e.workingCopy().empty());

    // Opening the panel again empties both.
    e.reset();
    EXPECT_TRUE(e.expression().empty());
}

TEST(Keyboard, LayoutHoldsEveryKeyOnce)
{
    std::set<int> seen;
    std::set<char32_t> letters;
    const auto rows = keyboardRows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].size(), 2u);
    EXPECT_EQ(rows[4].size(), 2u);
    for (const auto& row : rows)
        for (int key : row) {
            EXPECT_TRUE(seen.insert(key).second) << key;
            EXPECT_FALSE(keyCaption(key).empty()) << key;
            if (auto letter = keyLetter(key)) {
                EXPECT_TRUE(hasLetterValue(*letter)) << key;
                letters.insert(*letter);
            }
        }
    EXPECT_EQ(seen.size(), 31u);
    EXPECT_EQ(letters.size(), 29u);
    EXPECT_EQ(keyCaption(kSpaceKey), "Space");
    EXPECT_EQ(keyCaption(kClearAllKey), "Clear All");
    // Row 1 reads ب ا from left to right; the "Space" key comes before "Clear All".
    EXPECT_EQ(keyCaption(rows[0][0]), "\xD8\xA8");
    EXPECT_EQ(keyCaption(rows[0][1]), "\xD8\xA7");
    EXPECT_EQ(rows[4][0], kSpaceKey);
    EXPECT_EQ(keyCaption(31), "");
}

TEST(GvExpressionState, CalculationsRebuildTheWorkingCopy)
{
    GvExpression e;
    e.setExpressionUtf8("  \xD8\xA7\xD8\xA8  \xD8\xAC ");  // "  اب  ج "
    EXPECT_EQ(e.wordWise({}), " 3 0 3");
    EXPECT_EQ(e.workingCopy(), U"\u062C  \u0628\u0627");
    EXPECT_EQ(e.details(),
              "Number of Letters: 3\t=19x0.157894736842105\r\nNumber of Words: 2\t=19x0.105263157894737\r\n"
              "Gematrical Value: 6\t=19x0.315789473684211");
    EXPECT_EQ(e.workingCopy(), U"\u062C \u0628\u0627");
    // The expression itself is never changed by a calculation.
    EXPECT_EQ(e.expressionUtf8(), "  \xD8\xA7\xD8\xA8  \xD8\xAC ");
}
