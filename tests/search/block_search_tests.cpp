// The block search: windows of verses holding the wanted words.
#include "search/block_search.h"
#include "search_fixture.h"

#include "db/database.h"

#include <gtest/gtest.h>

#include <random>

using search::BlockOptions;
using search::BlockVerse;

namespace {

const std::string kDashes(79, '-');

std::vector<BlockVerse> sampleVerses()
{
    return {
        {1, 1, "[1:1] In praise of the Lord of mercy."},
        {1, 2, "[1:2] He is ready to forgive the one who turns back."},
        {1, 3, "[1:3] A line about the sky and the sea."},
        {1, 4, "[1:4] Mercy is written upon Himself."},
        {2, 0, "Opening: forgive us, our Lord."},
        {2, 1, "[2:1] The stars are counted."},
        {2, 2, "[2:2] Seek mercy and He will forgive."},
        {2, 3, "[2:3] The last line of the second sura."},
        {3, 1, "[3:1] Do not take idols; God is one."},
        {3, 2, "[3:2] God's promise holds, and His mercy."},
    };
}

std::string window(std::initializer_list<const char*> lines)
{
    std::string out = "\r\n";
    for (const char* l : lines)
        out += std::string(l) + "\r\n";
    return out + kDashes + "\r\n";
}

// The first verse (its reference) of every printed window.
std::vector<std::string> starts(const std::string& output)
{
    std::vector<std::string> out;
    size_t at = 0;
    bool atStart = true;
    while (at < output.size()) {
        size_t eol = output.find("\r\n", at);
        if (eol == std::string::npos)
            break;
        std::string line = output.substr(at, eol - at);
        if (line == kDashes)
            atStart = true;
        else if (atStart && !line.empty()) {
            const size_t bracket = line.find(']');
            out.push_back(bracket == std::string::npos ? line : line.substr(0, bracket + 1));
            atStart = false;
        }
        at = eol + 2;
    }
    return out;
}

std::string run(const std::string& text, const BlockOptions& o = {})
{
    return search::blockSearch(text, sampleVerses(), o).output;
}

}  // namespace

TEST(BlockSearch, PairsOfVersesHoldingBothWords)
{
    // The search command has already prepared the text: " +mercy +forgive".
    auto r = search::blockSearch(" +mercy +forgive", sampleVerses(), {});
    EXPECT_TRUE(r.searched);
    EXPECT_EQ(r.windows, 3);
    // 1:4 and 2:0 hold both words between them, but across two suras.
    EXPECT_EQ(r.output, window({"[1:1] In praise of the Lord of mercy.", "[1:2] He is ready to forgive the one who turns back."}) +
                            window({"[2:1] The stars are counted.", "[2:2] Seek mercy and He will forgive."}) +
                            window({"[2:2] Seek mercy and He will forgive.", "[2:3] The last line of the second sura."}));
    EXPECT_EQ(r.searchBoxText, "  +mercy +forgive");

    // The first word needs no operator of its own: it is required too.
    EXPECT_EQ(run("mercy +forgive"), r.output);

    // Only the first verse of each window.
    BlockOptions first;
    first.showFirst = true;
    EXPECT_EQ(run(" +mercy +forgive", first),
              window({"[1:1] In praise of the Lord of mercy."}) + window({"[2:1] The stars are counted."}) +
                  window({"[2:2] Seek mercy and He will forgive."}));
}

TEST(BlockSearch, NoOperatorSearchesNothing)
{
    search::SearchSlots slots;
    slots.words[0] = "kept";
    auto view = slots.view();
    auto r = search::blockSearch("mercy forgive", sampleVerses(), {}, &view);
    EXPECT_FALSE(r.searched);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(r.searchBoxText, " mercy forgive");
    EXPECT_EQ(slots.words[0], "kept");
}

TEST(BlockSearch, OperatorsAndLetterCase)
{
    // "\": no window may hold the word.
    EXPECT_EQ(starts(run(" +mercy \\sky")),
              (std::vector<std::string>{"[1:1]", "[1:4]", "[2:1]", "[2:2]", "[3:1]"}));
    // "/": at least one of the alternatives.
    EXPECT_EQ(starts(run(" +lord /sky /stars")), (std::vector<std::string>{"Opening: forgive us, our Lord."}));
    EXPECT_EQ(starts(run(" +mercy /stars /sea")), (std::vector<std::string>{"[1:3]", "[2:1]"}));
    // A single alternative is needed like a required word.
    EXPECT_EQ(run(" +mercy /stars"), run(" +mercy +stars"));
    // Letter case.
    EXPECT_EQ(starts(run(" +mercy")), (std::vector<std::string>{"[1:1]", "[1:3]", "[1:4]", "[2:1]", "[2:2]", "[3:1]"}));
    BlockOptions exact;
    exact.letterCase = true;
    EXPECT_EQ(starts(run(" +Mercy", exact)), (std::vector<std::string>{"[1:3]", "[1:4]"}));
    // A window of 3 that reaches into the next sura keeps only its own sura.
    BlockOptions three;
    three.windowSize = "3";
    EXPECT_EQ(run(" +written +lord", three), "");
    EXPECT_EQ(run(" +written +sky", three),
              window({"[1:2] He is ready to forgive the one who turns back.", "[1:3] A line about the sky and the sea.",
                      "[1:4] Mercy is written upon Himself."}) +
                  window({"[1:3] A line about the sky and the sea.", "[1:4] Mercy is written upon Himself."}));
}

TEST(BlockSearch, WindowSizeAndSlots)
{
    for (const char* size : {"0", "-1", "x", "", "2.5", "11"}) {
        BlockOptions o;
        o.windowSize = size;
        auto r = search::blockSearch(" +mercy", sampleVerses(), o);
        EXPECT_TRUE(r.searched) << size;
        EXPECT_EQ(r.output, "") << size;
    }
    BlockOptions whole;
    whole.windowSize = "10";  // the whole text is one window, of sura 1 only
    EXPECT_EQ(starts(run(" +mercy +forgive", whole)), (std::vector<std::string>{"[1:1]"}));
    BlockOptions one;
    one.windowSize = "1";
    EXPECT_EQ(starts(run(" +mercy +forgive", one)), (std::vector<std::string>{"[2:2]"}));

    // Afterwards the slots it used are empty and carry code "0".
    search::SearchSlots slots;
    for (auto& w : slots.words)
        w = "old";
    slots.count = 7;
    auto view = slots.view();
    search::blockSearch(" +mercy +forgive \\sky", sampleVerses(), {}, &view);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(slots.words[static_cast<size_t>(i)], "") << i;
        EXPECT_EQ(slots.ops[static_cast<size_t>(i)], "0") << i;
    }
    EXPECT_EQ(slots.words[4], "old");
    EXPECT_EQ(slots.count, 7);
}

TEST(BlockSearch, ParserReadsAFixedCopyAndEnds)
{
    auto q = search::parseBlockQuery("  +a /b +c /d \\e ");
    EXPECT_EQ(q.required, (std::vector<std::string>{"", "a", "c"}));
    EXPECT_EQ(q.alternatives, (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(q.excluded, (std::vector<std::string>{"e"}));
    EXPECT_EQ(q.slotsUsed, 6);
    auto r = search::blockSearch(" +a /b +c /d", sampleVerses(), {});
    EXPECT_EQ(r.searchBoxText, "  +a /b +c /d");
}

// The window test from the verses' own hits must give what the window text
// itself gives; a line break in a word or suras out of order take the
// window text.
TEST(BlockSearch, VerseHitsAgreeWithTheWindowText)
{
    std::mt19937 rng(19);
    const std::vector<std::string> vocab = {"mercy", "Mercy", "lord", "sky", "sea", "stars", "God", "forgive"};
    auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
    for (int round = 0; round < 200; ++round) {
        std::vector<BlockVerse> verses;
        int sura = 1;
        const bool shuffled = round % 5 == 0;
        for (int v = 0; v < 25; ++v) {
            if (pick(4) == 0)
                ++sura;
            std::string text;
            for (size_t w = 0, n = 1 + pick(3); w < n; ++w)
                text += vocab[pick(vocab.size())] + " ";
            verses.push_back({shuffled ? static_cast<int>(1 + pick(3)) : sura, v, text});
        }
        std::string query = " ";
        for (size_t w = 0, n = 1 + pick(4); w < n; ++w)
            query += std::string(1, "+\\/"[pick(3)]) + vocab[pick(vocab.size())] + " ";
        BlockOptions o;
        o.windowSize = std::to_string(1 + pick(4));
        o.letterCase = pick(2) == 0;
        const auto got = search::blockSearch(query, verses, o).output;

        // The window text, verse by verse, as the search box describes it.
        const auto q = search::parseBlockQuery(" " + query);
        const size_t size = std::stoul(o.windowSize);
        std::string want;
        for (size_t start = 0; start + size <= verses.size(); ++start) {
            std::string text;
            for (size_t v = start; v < start + size; ++v)
                if (verses[v].sura == verses[start].sura)
                    text += verses[v].text + "\r\n";
            auto has = [&](const std::string& w) { return db::instrPosition(1, text, w, o.letterCase ? 0 : 1) > 0; };
            bool ok = std::all_of(q.required.begin(), q.required.end(), has) &&
                      std::none_of(q.excluded.begin(), q.excluded.end(), has) &&
                      (q.alternatives.empty() || std::any_of(q.alternatives.begin(), q.alternatives.end(), has));
            if (ok)
                want += "\r\n" + text + kDashes + "\r\n";
        }
        ASSERT_EQ(got, want) << "round " << round << " query '" << query << "' window " << o.windowSize;
    }
}

TEST_F(SearchDb, VersesInActualAndRevelationOrder)
{
    auto actual = search::readBlockVerses(db, false);
    ASSERT_EQ(actual.size(), 142u);
    EXPECT_EQ(actual.front().text, "[1:1] In praise of the Lord of mercy.");
    EXPECT_EQ(actual[4].text, "Opening: forgive us, our Lord.");  // verse 0 has no number
    auto chrono = search::readBlockVerses(db, true);
    ASSERT_EQ(chrono.size(), 142u);
    EXPECT_EQ(chrono.front().sura, 3);
    EXPECT_EQ(chrono.back().sura, 2);
    EXPECT_EQ(starts(search::blockSearch(" +mercy", chrono, {}).output).front(), "[3:1]");

    // The stored verses go through the given converter, line ends dropped.
    int calls = 0;
    auto stored = search::readBlockVerses(db, false, [&](std::string_view rtf) {
        ++calls;
        return "plain " + std::to_string(rtf.size()) + "\r\n";
    });
    EXPECT_EQ(calls, 142);
    EXPECT_EQ(stored.front().text.rfind("plain ", 0), 0u);
    EXPECT_EQ(stored.front().text.find('\n'), std::string::npos);
}
