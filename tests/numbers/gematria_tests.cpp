#include "numbers/gematria.h"
#include "numbers/letters.h"
#include "numbers/utf8.h"

#include <gtest/gtest.h>

#include <set>

using namespace numbers;

namespace {

const std::u32string kAbJd = U"\u0627\u0628 \u062C\u062F";  // alef beh, space, jeem dal

GvOptions opts(bool wordBefore, bool wordAfter, bool letterBefore = false, bool letterAfter = false,
               bool reset = false)
{
    return GvOptions{wordBefore, wordAfter, letterBefore, letterAfter, reset};
}

}  // namespace

TEST(WordWise, EveryWordOptionOnTwoWords)
{
    EXPECT_EQ(wordWiseValues(kAbJd, opts(false, false)), " 3 7");
    EXPECT_EQ(wordWiseValues(kAbJd, opts(true, false)), " 1  3 2  7");
    EXPECT_EQ(wordWiseValues(kAbJd, opts(true, true)), " 1  3  1 2  7  2");
    EXPECT_EQ(wordWiseValues(kAbJd, opts(false, true)), " 3  1 7  2");
    // Letter options have no say in the word-wise values.
    EXPECT_EQ(wordWiseValues(kAbJd, opts(false, false, true, true, true)), " 3 7");
}

TEST(LetterWise, EveryLetterAndWordOptionOnTwoWords)
{
    EXPECT_EQ(letterWiseValues(kAbJd, opts(false, false)), "  1 2  3 4");
    EXPECT_EQ(letterWiseValues(kAbJd, opts(false, false, true, false)), "  1  1 2  2  3  3 4  4");
    EXPECT_EQ(letterWiseValues(kAbJd, opts(false, false, true, true)), "  1  1  1 2  2  2  3  3  3 4  4  4");
    EXPECT_EQ(letterWiseValues(kAbJd, opts(true, false)), " 1  1 2 2  3 4");
    EXPECT_EQ(letterWiseValues(kAbJd, opts(true, true)), " 1  1 2  1 2  3 4  2");
    EXPECT_EQ(letterWiseValues(kAbJd, opts(false, true)), " 1 2  1 3 4  2");

    // Resetting numbers every word's letters from 1 again.
    EXPECT_EQ(letterWiseValues(kAbJd, opts(false, false, true, false, true)), "  1  1 2  2  1  3 2  4");
    EXPECT_EQ(letterWiseValues(kAbJd, opts(false, false, false, true, true)), "  1  1 2  2  3  1 4  2");
    EXPECT_EQ(letterWiseValues(kAbJd, opts(false, false, false, true, false)), "  1  1 2  2  3  3 4  4");
}

TEST(Gematria, SpacesEmptyExpressionsAndCharactersWithoutValue)
{
    // Two spaces make an empty word in the calculations, not in the details.
    const std::u32string twoSpaces = U"\u0627\u0628  \u062C\u062F";
    EXPECT_EQ(wordWiseValues(twoSpaces, {}), " 3 0 7");
    EXPECT_EQ(letterWiseValues(twoSpaces, opts(true, false)), " 1  1 2 2  3  3 4");
    EXPECT_EQ(gvDetails(twoSpaces).words, 2u);
    // Blanks at the ends are not words.
    EXPECT_EQ(wordWiseValues(U"  \u0627\u0628 ", {}), " 3");

    EXPECT_EQ(wordWiseValues(U"", {}), " 0");
    EXPECT_EQ(wordWiseValues(U"   ", opts(true, true)), " 1  0  1");
    EXPECT_EQ(letterWiseValues(U"", {}), " ");
    EXPECT_EQ(detailsText(gvDetails(U"   ")),
              "Number of Letters: 0\t=19x0\r\nNumber of Words: 0\t=19x0\r\nGematrical Value: 0\t=19x0");

    // Waw with hamza: a value of 1 and a letter to number, but not counted.
    const std::u32string waw = U"\u0624";
    EXPECT_EQ(wordWiseValues(waw, {}), " 1");
    EXPECT_EQ(letterWiseValues(waw, {}), "  1");
    EXPECT_EQ(letterWiseValues(waw, opts(false, false, true)), "  1  1");
    const GvDetails d = gvDetails(waw);
    EXPECT_EQ(d.letters, 0u);
    EXPECT_EQ(d.words, 1u);
    EXPECT_EQ(d.value, 1u);

    // Latin letters, digits, diacritics and tatweel add nothing and split nothing.
    const std::u32string mixed = U"\u0627x\u06287\u064E\u0640 \u062C\u062F";
    EXPECT_EQ(wordWiseValues(mixed, {}), " 3 7");
    EXPECT_EQ(letterWiseValues(mixed, opts(false, false, true)), "  1  1 2  2  3  3 4  4");
    EXPECT_EQ(gvDetails(mixed).letters, 4u);
}

TEST(Gematria, DetailsTextAndQuotients)
{
    EXPECT_EQ(detailsText(gvDetails(kAbJd)),
              "Number of Letters: 4\t=19x0.210526315789474\r\n"
              "Number of Words: 2\t=19x0.105263157894737\r\n"
              "Gematrical Value: 10\t=19x0.526315789473684");
    // Whole quotients for multiples; at most 15 significant digits otherwise.
    std::u32string nineteen(19, U'\u063A');  // 19 ghain, 19000
    const GvDetails d = gvDetails(nineteen);
    EXPECT_EQ(d.letters, 19u);
    EXPECT_EQ(d.value, 19000u);
    EXPECT_EQ(detailsText(d), "Number of Letters: 19\t=19x1\r\nNumber of Words: 1\t=19x0.0526315789473684\r\n"
                              "Gematrical Value: 19000\t=19x1000");
    EXPECT_EQ(detailsText(GvDetails{0, 0, 1000}).substr(detailsText(GvDetails{0, 0, 1000}).rfind('\t')),
              "\t=19x52.6315789473684");
}

TEST(Letters, ValuesAndCodePage)
{
    // The 36 valued letters, each with its own code page byte, and the
    // abjad values at the ends of the scale.
    const auto letters = arabicLetters();
    EXPECT_EQ(letters.size(), 36u);
    std::set<unsigned char> codes;
    unsigned counted = 0;
    for (const ArabicLetter& l : letters) {
        EXPECT_EQ(letterValue(l.unicode), l.value) << l.name;
        EXPECT_EQ(windows1256ToUnicode(l.windows1256), l.unicode) << l.name;
        codes.insert(l.windows1256);
        counted += isCountedLetter(l.unicode);
    }
    EXPECT_EQ(codes.size(), 36u);
    EXPECT_EQ(counted, 34u);
    EXPECT_EQ(letterValue(U'\u063A'), 1000u);  // ghain
    EXPECT_EQ(letterValue(U'\u0638'), 900u);   // zah
    EXPECT_EQ(letterValue(U'\u0629'), 5u);     // teh marbuta
    unsigned withValue = 0;
    for (char32_t c = 0; c < 0x10000; ++c)
        withValue += hasLetterValue(c);
    EXPECT_EQ(withValue, 36u);

    // Text in the old code page converts both ways.
    EXPECT_EQ(fromWindows1256("\xC7\xC8 \xCC\xCF"), encodeUtf8(kAbJd));
    EXPECT_EQ(toWindows1256(encodeUtf8(kAbJd)), "\xC7\xC8 \xCC\xCF");
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(toWindows1256(fromWindows1256(all)), all);
    EXPECT_EQ(toWindows1256("\xE4\xB8\xAD"), "?");  // a character the code page lacks
}

TEST(Utf8, DecodesArabicAndSurvivesBrokenBytes)
{
    EXPECT_EQ(decodeUtf8("\xD8\xA7\xD8\xA8"), U"\u0627\u0628");
    EXPECT_EQ(decodeUtf8("a\xFF" "b\xD8"), U"a\uFFFDb\uFFFD");
    EXPECT_EQ(decodeUtf8("\xC0\xAF"), U"\uFFFD\uFFFD");  // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xC7\xC8"));
    EXPECT_TRUE(isValidUtf8("\xD8\xA7 z"));
    EXPECT_EQ(characterCount("\xD8\xA7 z\xF0\x9F\x98\x80"), 4u);
    EXPECT_EQ(encodeUtf8(U"\u0627\U0001F600"), "\xD8\xA7\xF0\x9F\x98\x80");
}
