// The dictionary look-up: the selection as one word, the online page's
// address, and the offline senses.
#include "lookup/dictionary.h"

#include <gtest/gtest.h>

using namespace lookup;

TEST(Dictionary, TheSelectionIsOneWordOnceItsOuterSpacesAreGone)
{
    EXPECT_EQ(selectedWord("mercy ").word, "mercy");
    EXPECT_TRUE(selectedWord("  mercy ").single);
    EXPECT_FALSE(selectedWord("mercy forgive").single);
    // Nothing selected is not refused: the page of the empty word.
    EXPECT_TRUE(selectedWord("").single);
    EXPECT_EQ(selectedWord("").word, "");
}

TEST(Dictionary, TheAddressKeepsItsShapeWhateverTheWord)
{
    EXPECT_EQ(dictionaryAddress("", "mercy"), std::string(kDefaultDictionarySite) + "/dictionary/mercy");
    EXPECT_EQ(dictionaryAddress("https://example.org/", "mercy"), "https://example.org/dictionary/mercy");
    EXPECT_EQ(dictionaryAddress("https://example.org", "a/b?c#d"), "https://example.org/dictionary/a%2Fb%3Fc%23d");
    // UTF-8 bytes one by one.
    EXPECT_EQ(dictionaryAddress("https://example.org", "\xC3\xA9t\xC3\xA9"), "https://example.org/dictionary/%C3%A9t%C3%A9");
}

TEST(Dictionary, TheOfflineDictionaryFindsInflectedWordsThroughTheirBaseForm)
{
    const Definition forgave = define("Forgave");
    if (!forgave.dictionaryInstalled)
        GTEST_SKIP() << "WordNet is not installed";
    ASSERT_TRUE(forgave.found());
    EXPECT_EQ(forgave.baseForm, "forgive");
    EXPECT_EQ(forgave.senses.front().partOfSpeech, "verb");
    EXPECT_NE(forgave.senses.front().gloss.find("forgiveness"), std::string::npos);

    // Nouns come before verbs; every sense has its gloss.
    const Definition mercy = define("mercy");
    ASSERT_TRUE(mercy.found());
    EXPECT_EQ(mercy.senses.front().partOfSpeech, "noun");
    for (const Sense& s : mercy.senses)
        EXPECT_FALSE(s.gloss.empty());
    const std::string text = definitionText(mercy);
    EXPECT_EQ(text.rfind("mercy (noun)\n  1. ", 0), 0u) << text;

    EXPECT_FALSE(define("xyzzyq").found());
    EXPECT_FALSE(define("").found());

    // The page escapes what it shows.
    Definition odd;
    odd.word = "<b>&";
    EXPECT_NE(definitionHtml(odd).find("&lt;b&gt;&amp;"), std::string::npos);
    EXPECT_EQ(definitionHtml(odd).find("<b>&<"), std::string::npos);
}
