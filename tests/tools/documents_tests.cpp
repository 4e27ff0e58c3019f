// The companion documents zerafin-init generates, checked against the text
// database it builds: every figure of the appendices recomputed here from
// the verse tables with this file's own counting, the concordances against
// the concordance of the stored search tables, the contents page's links,
// the stylesheet, and the size record of every checked document.

#include "db/database.h"
#include "db/recordset.h"
#include "init/appendices.h"
#include "init/html_doc.h"
#include "init/text_builder.h"
#include "lookup/concordance.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <map>
#include <regex>
#include <set>

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

const char* const kCss = ":root { --ink: #111; }\nbody { color: var(--ink); }\n";

// A sample in the shape of quran-json: suras of different lengths (sura 2
// has 19 verses), Allah in many verses and in several forms.
void writeFakeSample(const fs::path& dir)
{
    static const char* const lines[] = {
        "Allah is the Light of the heavens and the earth.",
        "And they said: \"Our Lord, [forgive] us\"; Allah's mercy is near.",
        "Indeed, in that is a sign - for people who reflect!",
        "Say, He is Allah, the One; Allah, the Eternal Refuge.",
        "The Ever-Living, the Sustainer (of all existence).",
        "Allahs is not the word; ALLAH in capitals is not it either.",
    };
    nlohmann::json suras = nlohmann::json::array();
    for (int s = 1; s <= 114; ++s) {
        const int count = s == 2 ? 19 : 2 + (s * 5) % 7;
        nlohmann::json verses = nlohmann::json::array();
        for (int v = 1; v <= count; ++v)
            verses.push_back({{"id", v}, {"translation", std::string(lines[(s + v) % 6]) + " Verse " + std::to_string(v)}});
        suras.push_back({{"id", s},
                         {"translation", "Sura Name " + std::to_string(s)},
                         {"transliteration", "As-Sura-" + std::to_string(s)},
                         {"verses", verses}});
    }
    writeFile(dir / "dist" / "quran_en.json", suras.dump());
}

void writeFakeData(const fs::path& dir)
{
    writeFile(dir / "subtitles.tsv", "2:1\tThe Light of Allah\n2:5\tA Sign for People\n3:1\tThe Light Again\n");
    writeFile(dir / "footnotes.tsv", "2:2\tA note on mercy.\n2:2\tA second note.\n3:0\tAbout the sura.\n");
    writeFile(dir / "glossary.tsv", "Mercy\tA test definition.\n");
    writeFile(dir / "index_terms.txt", "Light\tlight\nmercy\tmercy\nNowhere\tnowhere\n");
    writeFile(dir / "zerafin.css", kCss);
    writeFile(dir / "Help.htm", "<html><head><title>Help</title>\n<link rel=\"stylesheet\" href=\"zerafin.css\">\n"
                                "</head><body>Help</body></html>");
    writeFile(dir / "Numbers.htm", "<html><body>No stylesheet here</body></html>");
    writeFile(dir / "frontmatter" / "page08.html",
              "<html><head><link rel=\"stylesheet\" href=\"zerafin.css\"></head><body><h2>Intro</h2>");
    writeFile(dir / "frontmatter" / "page15.html", "</body></html>");
}

std::string appendixFile(int k)
{
    char name[40];
    std::snprintf(name, sizeof name, "Appendices/Appendix %02d.htm", k);
    return name;
}

// The verse tables read back, and every figure computed from them here.
struct Reference {
    struct Verse {
        std::string plain;   // Q
        std::string search;  // Q1
        long long count = 0, sum = 0;  // ZOVR
    };
    std::map<int, std::map<int, Verse>> suras;
    std::map<int, int> revelation;
    // Per sura: each word (lower case) with its occurrences and verses.
    std::map<int, std::map<std::string, std::pair<long long, long long>>> wordsBySura;

    explicit Reference(db::Database& db)
    {
        db::Recordset rs;
        EXPECT_TRUE(rs.open("SELECT Q.Sura, Q.Verse, Q.Words, Q1.Words, ZOVR.\"count\", ZOVR.\"sum\" FROM Q "
                            "JOIN Q1 ON Q1.Sura=Q.Sura AND Q1.Verse=Q.Verse "
                            "JOIN ZOVR ON ZOVR.Sura=Q.Sura AND ZOVR.Verse=Q.Verse",
                            db))
            << rs.lastError();
        for (; !rs.eof(); rs.moveNext())
            suras[static_cast<int>(rs.field(0).toInt())][static_cast<int>(rs.field(1).toInt())] = {
                rs.field(2).toString(), rs.field(3).toString(), rs.field(4).toInt(), rs.field(5).toInt()};
        EXPECT_TRUE(rs.open("SELECT ChOrder, RvOrder FROM SuraTable WHERE ChOrder > 0", db));
        for (; !rs.eof(); rs.moveNext())
            revelation[static_cast<int>(rs.field(0).toInt())] = static_cast<int>(rs.field(1).toInt());
        for (const auto& [s, verses] : suras)
            for (const auto& [v, x] : verses) {
                std::set<std::string> seen;
                for (const auto& w : words(x.search)) {
                    auto& n = wordsBySura[s][w];
                    ++n.first;
                    if (seen.insert(w).second)
                        ++n.second;
                }
            }
    }

    static std::vector<std::string> words(const std::string& search)
    {
        std::vector<std::string> out;
        std::string w;
        for (char c : search + " ") {
            if (c == ' ') {
                if (!w.empty())
                    out.push_back(w);
                w.clear();
            } else {
                w.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
            }
        }
        return out;
    }
    static long long letters(const std::string& text)
    {
        return std::count_if(text.begin(), text.end(), [](char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; });
    }
    static long long allah(const std::string& text)
    {
        static const std::regex word("(^|[^A-Za-z0-9])Allah(?![A-Za-z0-9])");
        return std::distance(std::sregex_iterator(text.begin(), text.end(), word), std::sregex_iterator());
    }

    // One figure of appendix k by its name, e.g. "words:2" or "letters:2:5".
    std::optional<long long> figure(int k, const std::string& name) const
    {
        std::vector<std::string> p;
        std::stringstream in(name);
        for (std::string part; std::getline(in, part, ':');)
            p.push_back(part);
        const std::string& kind = p[0];
        if (kind == "freq" || kind == "fverses" || kind == "total") {
            long long n = 0;
            for (const auto& [s, counts] : wordsBySura) {
                if (kind != "total" && (s < 3 * k - 2 || s > 3 * k))
                    continue;
                if (auto w = counts.find(p[1]); w != counts.end())
                    n += kind == "fverses" ? w->second.second : w->second.first;
            }
            return n;
        }
        const int s = std::stoi(p[1]);
        if (s < 3 * k - 2 || s > 3 * k || !suras.count(s))
            return std::nullopt;  // a figure of a sura the appendix does not cover
        const auto& verses = suras.at(s);
        if (kind == "sura")
            return s;
        if (kind == "rv")
            return revelation.at(s);
        if (kind == "verses")
            return static_cast<long long>(verses.size());
        auto of = [&](const Verse& x) -> long long {
            if (kind == "words")
                return static_cast<long long>(words(x.search).size());
            if (kind == "letters")
                return letters(x.plain);
            if (kind == "allah")
                return allah(x.plain);
            if (kind == "count")
                return x.count;
            if (kind == "sum")
                return x.sum;
            return -1;
        };
        if (p.size() == 3) {
            const int v = std::stoi(p[2]);
            if (kind == "verse")
                return v;
            return verses.count(v) ? std::optional<long long>(of(verses.at(v))) : std::nullopt;
        }
        if (kind == "count" || kind == "sum")  // the running counts at the sura's last verse
            return of(verses.rbegin()->second);
        long long total = 0;
        for (const auto& [v, x] : verses)
            total += of(x);
        return total;
    }
};

struct Cell {
    std::string name;
    long long value = 0;
    bool marked = false;
};

std::vector<Cell> figuresOf(const std::string& html)
{
    static const std::regex cell(R"re(<td class="([^"]*)" data-figure="([^"]+)">(\d+)</td>)re");
    std::vector<Cell> out;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), cell); it != std::sregex_iterator(); ++it)
        out.push_back({(*it)[2], std::stoll((*it)[3]), (*it)[1].str().find("m19") != std::string::npos});
    return out;
}

// Checks every figure of every appendix of a folder built from `db`.
void checkAppendices(const fs::path& docs, db::Database& db)
{
    const Reference ref(db);
    for (int k = 1; k <= init::kAppendixCount; ++k) {
        SCOPED_TRACE("appendix " + std::to_string(k));
        const std::string html = readFile(docs / appendixFile(k));
        const auto cells = figuresOf(html);
        std::set<std::string> kinds;
        std::map<int, int> verseRows;
        long long lastFreq = -1;
        for (const auto& c : cells) {
            const auto expected = ref.figure(k, c.name);
            ASSERT_TRUE(expected.has_value()) << c.name;
            EXPECT_EQ(c.value, *expected) << c.name;
            EXPECT_EQ(c.marked, c.value > 0 && c.value % 19 == 0) << c.name << " = " << c.value;
            const std::string kind = c.name.substr(0, c.name.find(':'));
            kinds.insert(kind);
            if (kind == "verse")
                ++verseRows[std::stoi(c.name.substr(6))];
            if (kind == "freq") {
                // Most frequent first.
                if (lastFreq >= 0) {
                    EXPECT_LE(c.value, lastFreq) << c.name;
                }
                lastFreq = c.value;
            }
        }
        for (const char* kind : {"sura", "rv", "verses", "words", "letters", "allah", "count", "sum", "verse", "freq",
                                 "fverses", "total"})
            EXPECT_TRUE(kinds.count(kind)) << kind;
        // A row for every verse of each of its three suras.
        for (int s = 3 * k - 2; s <= 3 * k; ++s)
            EXPECT_EQ(verseRows[s], static_cast<int>(ref.suras.at(s).size())) << "sura " << s;
        // The charts, the legend and the account of the method.
        EXPECT_NE(html.find("<svg"), std::string::npos);
        EXPECT_NE(html.find("class=\"bar2\""), std::string::npos);
        EXPECT_NE(html.find("class=\"how\""), std::string::npos);
        EXPECT_NE(html.find("<span class=\"m19\">"), std::string::npos);
    }
}

// The concordance document of an area holds exactly the concordance of the
// stored search table, each word with its count and references.
void checkConcordance(const fs::path& docs, db::Database& db, lookup::Area area)
{
    SCOPED_TRACE(std::string(lookup::documentName(area)));
    const std::string html = readFile(docs / (std::string(lookup::documentName(area)) + ".htm"));
    // Read by hand: std::regex recurses per character and a common word's
    // references run to tens of thousands of them.
    std::vector<std::string> shown;
    for (size_t at = html.find("<dt>"); at != std::string::npos; at = html.find("<dt>", at + 1)) {
        const std::string open = " <span class=\"n\">(", mid = ")</span></dt><dd>";
        const size_t span = html.find(open, at);
        const size_t close = html.find(mid, span);
        const size_t end = html.find("</dd>", close);
        ASSERT_TRUE(span != std::string::npos && close != std::string::npos && end != std::string::npos);
        shown.push_back(html.substr(at + 4, span - at - 4) + " " +
                        html.substr(span + open.size(), close - span - open.size()) + " " +
                        html.substr(close + mid.size(), end - close - mid.size()));
    }
    std::vector<std::string> expected;
    std::set<std::string> initials;
    for (const auto& e : lookup::concordanceOf(db, area)) {
        if (!lookup::hasLetter(e.key))
            continue;
        std::string refs;
        for (const auto& r : e.refs)
            refs += (refs.empty() ? "" : ", ") + r.display();
        expected.push_back(escapeHtml(e.word) + " " + std::to_string(e.refs.size()) + " " + refs);
        initials.insert(lookup::initialOf(e));
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(shown, expected);
    // The alphabet bar leads to a heading for each initial.
    for (const auto& i : initials) {
        EXPECT_NE(html.find("<a href=\"#letter-" + i + "\">" + i + "</a>"), std::string::npos) << i;
        EXPECT_NE(html.find("<h2 id=\"letter-" + i + "\">"), std::string::npos) << i;
    }
}

// Every document the program checks has one size record matching its length.
void checkSizeRecords(const fs::path& docs, db::Database& db)
{
    std::vector<std::pair<std::string, std::string>> checked = {
        {"Words='Contents'", "Contents.htm"},
        {"Words='VConcordance'", "VConcordance.htm"},
        {"Words='SConcordance'", "SConcordance.htm"},
        {"Words='FConcordance'", "FConcordance.htm"}};
    for (int k = 1; k <= init::kAppendixCount; ++k)
        checked.emplace_back("Appendix=" + std::to_string(k), appendixFile(k));
    for (const auto& [where, file] : checked) {
        db::Recordset rs;
        ASSERT_TRUE(rs.open("Select * from SuraTable where " + where, db)) << rs.lastError();
        ASSERT_FALSE(rs.eof()) << where;
        EXPECT_EQ(rs.field("ID").toInt(), static_cast<long long>(fs::file_size(docs / file) / 200)) << file;
        EXPECT_EQ(rs.recordCount(), 1) << where;
    }
}

}  // namespace

TEST(Documents, EmbeddingTheStylesheet)
{
    const std::string link(init::kStylesheetLink);
    EXPECT_EQ(init::embedStylesheet("<head>" + link + "</head>", "a{}"), "<head><style>\na{}\n</style></head>");
    // Every link line, nothing else touched; HTML without it is left alone.
    EXPECT_EQ(init::embedStylesheet(link + "x" + link, "b{}\n"), "<style>\nb{}\n</style>x<style>\nb{}\n</style>");
    const std::string other = "<link rel=\"stylesheet\" href=\"other.css\"><p>zerafin.css</p>";
    EXPECT_EQ(init::embedStylesheet(other, "a{}"), other);
    const std::string page = init::htmlPage("A & B", "c{}", "<p>x</p>");
    EXPECT_NE(page.find("<title>A &amp; B</title>"), std::string::npos);
    EXPECT_NE(page.find("<style>\nc{}\n</style>"), std::string::npos);
    EXPECT_EQ(page.find(link), std::string::npos);
}

TEST(Documents, GeneratedFromASmallTextAndCheckedAgainstItsDatabase)
{
    TempDir tmp;
    writeFakeSample(tmp / "sample");
    writeFakeData(tmp / "data");
    init::buildProgramFolder({tmp / "bin", tmp / "sample", tmp / "data", "English", {}});
    const fs::path docs = tmp / "bin" / "Files" / "English";
    db::Database db;
    ASSERT_TRUE(db.openFile(tmp / "bin" / "English.ttb"));

    checkAppendices(docs, db);
    for (auto area : {lookup::Area::Verses, lookup::Area::Subtitles, lookup::Area::Footnotes})
        checkConcordance(docs, db, area);
    checkSizeRecords(docs, db);

    // The appendix titles the list shows, and their text for the search.
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT Words FROM SuraTable WHERE Appendix=2", db));
    EXPECT_EQ(rs.field(0).toString(), "Suras 4\u20136 in figures");
    ASSERT_TRUE(rs.open("SELECT count(*) FROM Appendices WHERE Appendix BETWEEN 1 AND 38", db));
    EXPECT_EQ(rs.field(0).toInt(), 38);
    ASSERT_TRUE(rs.open("SELECT Words FROM Appendices WHERE Appendix=1", db));
    EXPECT_NE(rs.field(0).toString().find("How these figures were computed"), std::string::npos);
    EXPECT_EQ(rs.field(0).toString().find("--ink"), std::string::npos);  // the stylesheet is not text

    // The stylesheet in every HTML document written, where the source named it.
    for (const fs::path& f : {docs / "Contents.htm", docs / appendixFile(38), docs / "VConcordance.htm",
                              tmp / "bin" / "Files" / "Help.htm"}) {
        const std::string html = readFile(f);
        EXPECT_NE(html.find(std::string("<style>\n") + kCss + "</style>"), std::string::npos) << f;
        EXPECT_EQ(html.find("href=\"zerafin.css\""), std::string::npos) << f;
    }
    EXPECT_EQ(readFile(docs / "Numbers.htm"), "<html><body>No stylesheet here</body></html>");
    ASSERT_TRUE(rs.open("SELECT Matter FROM FRONTMATTER WHERE Page=8", db));
    EXPECT_NE(rs.field(0).toString().find(std::string("<style>\n") + kCss), std::string::npos);
    ASSERT_TRUE(rs.open("SELECT Words FROM Appendices WHERE Appendix=0", db));
    EXPECT_EQ(rs.field(0).toString(), "Intro");  // the introduction's text for the search, without the stylesheet

    // The contents page: each sura leads to the part of the appendix that
    // covers it, and every link reaches a document that is there.
    const std::string contents = readFile(docs / "Contents.htm");
    for (int s : {1, 2, 3, 4, 57, 112, 114}) {
        char link[80];
        std::snprintf(link, sizeof link, "Appendices/Appendix %02d.htm#sura-%d\"", (s + 2) / 3, s);
        EXPECT_NE(contents.find(link), std::string::npos) << s;
        EXPECT_NE(readFile(docs / appendixFile((s + 2) / 3)).find("id=\"sura-" + std::to_string(s) + "\""),
                  std::string::npos);
    }
    static const std::regex href("href=\"([^\"#]+)");
    std::set<std::string> targets;
    for (auto it = std::sregex_iterator(contents.begin(), contents.end(), href); it != std::sregex_iterator(); ++it)
        targets.insert((*it)[1]);
    EXPECT_EQ(targets.size(), 38u + 3u);
    for (const auto& t : targets)
        EXPECT_TRUE(fs::exists(docs / t)) << t;

    // index.rtf: alphabetical whatever the letter case, terms without a verse left out.
    const std::string index = readFile(docs / "index.rtf");
    const auto light = index.find("{\\b Light}"), mercy = index.find("{\\b mercy}");
    EXPECT_NE(light, std::string::npos);
    EXPECT_LT(light, mercy);
    EXPECT_EQ(index.find("Nowhere"), std::string::npos);
}

// The documents of the whole text, and the time the whole build takes.
TEST(DocumentsFullText, EveryFigureAndRecordOfTheShippedDocuments)
{
    const fs::path bin = testing_support::binDir();
    if (!fs::exists(bin / "sample" / "dist" / "quran_en.json") || !fs::is_directory(bin / "data"))
        GTEST_SKIP() << "the build has no sample text";
    TempDir tmp;
    const auto start = std::chrono::steady_clock::now();
    init::buildProgramFolder({tmp / "bin", bin / "sample", bin / "data", "English", {}});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(5));

    const fs::path docs = tmp / "bin" / "Files" / "English";
    db::Database db;
    ASSERT_TRUE(db.openFile(tmp / "bin" / "English.ttb"));
    checkAppendices(docs, db);
    for (auto area : {lookup::Area::Verses, lookup::Area::Subtitles, lookup::Area::Footnotes})
        checkConcordance(docs, db, area);
    checkSizeRecords(docs, db);

    // The program folder the build itself made passes every size check too.
    db::Database built;
    ASSERT_TRUE(built.openFile(bin / "English.ttb", db::Database::Mode::ReadOnly));
    checkSizeRecords(bin / "Files" / "English", built);
}
