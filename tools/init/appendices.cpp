#include "init/appendices.h"

#include "init/html_doc.h"
#include "init/text_builder.h"
#include "lookup/concordance.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <unordered_map>

namespace init {

namespace {

// Words too common to tell the suras apart; left out of the frequency
// tables (and named in each appendix, so its table can be checked).
const std::set<std::string>& commonWords()
{
    static const std::set<std::string> words = {
        "a",    "all",  "an",   "and",  "are",   "as",    "at",   "be",   "but",  "by",   "do",   "for",
        "from", "had",  "has",  "have", "he",    "him",   "his",  "i",    "if",   "in",   "indeed", "is",
        "it",   "its",  "me",   "my",   "no",    "not",   "of",   "on",   "or",   "our",  "s",    "so",
        "that", "the",  "their", "them", "then", "there", "they", "this", "those", "to",  "us",   "was",
        "we",   "were", "what", "when", "which", "who",   "will", "with", "you",  "your"};
    return words;
}

constexpr int kFrequentWords = 25;

std::string two(int n)
{
    char b[8];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

// A figure cell: right-aligned, machine-readable, marked when a multiple of 19.
std::string cell(const std::string& figure, long long value)
{
    std::string c = "<td class=\"n";
    if (markedMultiple(value))
        c += " m19";
    c += "\" data-figure=\"" + escapeHtml(figure) + "\">" + std::to_string(value) + "</td>";
    return c;
}

std::string suraName(const SuraText& s)
{
    return escapeHtml(s.englishName) + (s.translitName.empty() ? "" : " <i>(" + escapeHtml(s.translitName) + ")</i>");
}

// Bars for values in the given order; the highlighted ones in the second colour.
std::string barChart(const std::string& label, const std::vector<std::pair<std::string, long long>>& bars,
                     const std::vector<bool>& highlight, const std::string& xCaption, int barWidth)
{
    const int gap = barWidth > 3 ? 1 : 0;
    const int left = 34, top = 8, plot = 150, bottom = 30;
    const int width = left + static_cast<int>(bars.size()) * (barWidth + gap) + 8;
    const int height = top + plot + bottom;
    long long max = 1;
    for (const auto& b : bars)
        max = std::max(max, b.second);
    std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + std::to_string(width) + " " +
                    std::to_string(height) + "\" width=\"" + std::to_string(width) + "\" role=\"img\" aria-label=\"" +
                    escapeHtml(label) + "\">\n";
    const int base = top + plot;
    s += "<line class=\"axis\" x1=\"" + std::to_string(left - 2) + "\" y1=\"" + std::to_string(base) + "\" x2=\"" +
         std::to_string(width - 4) + "\" y2=\"" + std::to_string(base) + "\"/>";
    s += "<line class=\"axis\" x1=\"" + std::to_string(left - 2) + "\" y1=\"" + std::to_string(top) + "\" x2=\"" +
         std::to_string(left - 2) + "\" y2=\"" + std::to_string(base) + "\"/>\n";
    s += "<text x=\"" + std::to_string(left - 4) + "\" y=\"" + std::to_string(top + 8) +
         "\" text-anchor=\"end\">" + std::to_string(max) + "</text><text x=\"" + std::to_string(left - 4) + "\" y=\"" +
         std::to_string(base) + "\" text-anchor=\"end\">0</text>\n";
    for (size_t i = 0; i < bars.size(); ++i) {
        const long long h = bars[i].second * plot / max;
        const int x = left + static_cast<int>(i) * (barWidth + gap);
        s += "<rect class=\"";
        s += highlight[i] ? "bar2" : "bar";
        s += "\" x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(base - h) + "\" width=\"" +
             std::to_string(barWidth) + "\" height=\"" + std::to_string(h) + "\"><title>" + escapeHtml(bars[i].first) +
             ": " + std::to_string(bars[i].second) + "</title></rect>\n";
    }
    s += "<text x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(base + 20) + "\">" + escapeHtml(xCaption) +
         "</text>\n</svg>\n";
    return s;
}

struct WordTotal {
    std::string word;
    int occurrences = 0;
};

std::string howSection(const std::vector<std::string>& common)
{
    std::string h = "<h2 id=\"how\">How these figures were computed</h2>\n<div class=\"how\">\n";
    h += "<p>All figures are counted in the English text of the verses as this program holds it; the unnumbered "
         "opening line before a sura is not counted.</p>\n<ul>\n"
         "<li><b>Word</b>: the verse with the characters ? ! \" ' . , : ; ( &amp; ) [ ] * - / \\ + replaced by "
         "spaces and cut at the spaces: what the search matches as a whole word with \"Ignore Special Char (Whole "
         "Words)\". So \"Allah's\" is two words (\"Allah\" and \"s\") and \"Ever-Living\" is two words.</li>\n"
         "<li><b>Letter</b>: each of the letters a to z, capital or small. Spaces, punctuation and digits are not "
         "letters.</li>\n"
         "<li><b>Allah</b>: the times the word Allah stands in the verse, spelt with a capital A, with no letter "
         "or digit directly before or after it (\"Allah's\" counts, \"Allahs\" would not).</li>\n"
         "<li><b>GOD count</b> (the status bar's \"Cumulative frequency of the word GOD\"): the Allah occurrences "
         "of every verse from 1:1 up to and including this one, in the standard order of the suras.</li>\n"
         "<li><b>GOD sum</b> (the status bar's \"Cumulative sum of verses where the word GOD occurs\"): the sum of "
         "the verse numbers (the number within its sura) of every verse from 1:1 up to and including this one "
         "that holds Allah at least once.</li>\n"
         "<li><b>Revelation</b>: the sura's place in the chronological order of revelation (1 is sura 96, the "
         "first revealed; 114 is sura 110).</li>\n"
         "<li>The figures of a sura are the totals of its verses; its GOD count and sum are those at its last "
         "verse.</li>\n"
         "<li><b>Marked figures</b>: a figure is marked when it is a positive whole multiple of 19 (19, 38, 57, "
         "…): the figure divided by 19 leaves no remainder. Every number in the tables is tested, sura and "
         "verse numbers included.</li>\n"
         "<li><b>Frequent words</b>: the words of the three suras as defined above, letter case ignored, counted "
         "each time they stand, most frequent first (equal counts in alphabetical order), leaving out these "
         "common words: ";
    for (size_t i = 0; i < common.size(); ++i)
        h += (i ? ", " : "") + common[i];
    h += ". The last column counts the same word in the whole text.</li>\n</ul>\n</div>\n";
    return h;
}

}  // namespace

int letterCount(std::string_view text)
{
    int n = 0;
    for (unsigned char c : text)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            ++n;
    return n;
}

int wordCount(std::string_view text) { return static_cast<int>(lookup::wordsOf(text).size()); }

std::vector<SuraFigures> textFigures(const SampleText& sample)
{
    std::vector<int> place(115, 0);
    const auto& order = revelationOrder();
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i] >= 1 && order[i] <= 114)
            place[static_cast<size_t>(order[i])] = static_cast<int>(i + 1);
    std::vector<SuraFigures> out;
    long long count = 0, sum = 0;
    for (const auto& s : sample.suras) {
        SuraFigures f;
        f.number = s.number;
        f.revelation = s.number >= 1 && s.number <= 114 ? place[static_cast<size_t>(s.number)] : 0;
        for (size_t i = 0; i < s.verses.size(); ++i) {
            VerseFigures v;
            v.words = wordCount(s.verses[i]);
            v.letters = letterCount(s.verses[i]);
            v.allah = countWord(s.verses[i], "Allah");
            if (v.allah > 0) {
                count += v.allah;
                sum += static_cast<long long>(i + 1);
            }
            v.count = count;
            v.sum = sum;
            f.words += v.words;
            f.letters += v.letters;
            f.allah += v.allah;
            f.verses.push_back(v);
        }
        out.push_back(std::move(f));
    }
    return out;
}

std::string appendixTitle(int number)
{
    const int first = kSurasPerAppendix * number - 2;
    return "Suras " + std::to_string(first) + "\u2013" + std::to_string(first + 2) + " in figures";
}

std::vector<AppendixDoc> makeAppendices(const SampleText& sample, std::string_view css)
{
    const std::vector<SuraFigures> figures = textFigures(sample);
    std::vector<std::string> common(commonWords().begin(), commonWords().end());

    std::vector<lookup::Row> allRows;
    for (const auto& s : sample.suras)
        for (size_t i = 0; i < s.verses.size(); ++i)
            allRows.push_back({s.number, static_cast<int>(i + 1), s.verses[i]});
    std::unordered_map<std::string, WordTotal> totals;
    for (auto& e : lookup::buildConcordance(allRows))
        totals[e.key] = {e.word, e.occurrences};

    // Verses per sura in the order of revelation, shared by every appendix.
    const auto& order = revelationOrder();

    std::vector<AppendixDoc> docs;
    for (int k = 1; k <= kAppendixCount; ++k) {
        const int first = kSurasPerAppendix * k - 2;
        std::vector<int> suras;
        for (int s = first; s < first + kSurasPerAppendix; ++s)
            if (s >= 1 && s <= static_cast<int>(sample.suras.size()))
                suras.push_back(s);
        AppendixDoc doc;
        doc.number = k;
        doc.title = appendixTitle(k);

        std::string b;
        b += "<h1>Appendix " + two(k) + ": " + escapeHtml(doc.title) + "</h1>\n";
        b += "<p class=\"lead\">Counts of verses, words and letters, the running counts the status bar shows, the "
             "order of revelation and the most frequent words of suras " +
             std::to_string(first) + " to " + std::to_string(first + 2) +
             ". How each figure was found is told at the end, so that every one can be checked.</p>\n";
        b += "<p><a href=\"../Contents.htm\">Contents</a>";
        if (k > 1)
            b += " · <a href=\"Appendix " + two(k - 1) + ".htm\">Appendix " + two(k - 1) + "</a>";
        if (k < kAppendixCount)
            b += " · <a href=\"Appendix " + two(k + 1) + ".htm\">Appendix " + two(k + 1) + "</a>";
        b += " · <a href=\"#how\">How these figures were computed</a></p>\n";

        // (a) The three suras side by side.
        b += "<h2>The three suras</h2>\n<table>\n<tr><th class=\"n\">Sura</th><th>Name</th>"
             "<th class=\"n\">Revelation</th><th class=\"n\">Verses</th><th class=\"n\">Words</th>"
             "<th class=\"n\">Letters</th><th class=\"n\">Allah</th><th class=\"n\">GOD count</th>"
             "<th class=\"n\">GOD sum</th></tr>\n";
        for (int s : suras) {
            const SuraText& t = sample.suras[static_cast<size_t>(s - 1)];
            const SuraFigures& f = figures[static_cast<size_t>(s - 1)];
            const std::string n = std::to_string(s);
            const VerseFigures last = f.verses.empty() ? VerseFigures{} : f.verses.back();
            b += "<tr>" + cell("sura:" + n, s) + "<td><a href=\"#sura-" + n + "\">" + suraName(t) + "</a></td>" +
                 cell("rv:" + n, f.revelation) + cell("verses:" + n, static_cast<long long>(f.verses.size())) +
                 cell("words:" + n, f.words) + cell("letters:" + n, f.letters) + cell("allah:" + n, f.allah) +
                 cell("count:" + n, last.count) + cell("sum:" + n, last.sum) + "</tr>\n";
        }
        b += "</table>\n<p><span class=\"m19\">Marked</span> figures are multiples of 19. \"GOD count\" and "
             "\"GOD sum\" are the two running counts the status bar shows, here at the sura's last verse.</p>\n";

        // (d) Verses per sura in the order of revelation.
        std::vector<std::pair<std::string, long long>> bars;
        std::vector<bool> mine;
        for (size_t i = 0; i < order.size(); ++i) {
            const int s = order[i];
            if (s < 1 || s > static_cast<int>(figures.size()))
                continue;
            bars.emplace_back("Sura " + std::to_string(s) + " (revealed " + std::to_string(i + 1) + ")",
                              static_cast<long long>(figures[static_cast<size_t>(s - 1)].verses.size()));
            mine.push_back(s >= first && s < first + kSurasPerAppendix);
        }
        b += "<h2>Verses per sura in the order of revelation</h2>\n<p>All 114 suras from the first revealed "
             "(left) to the last (right); suras " +
             std::to_string(first) + " to " + std::to_string(first + 2) + " stand out.</p>\n";
        b += barChart("Verses per sura in the order of revelation", bars, mine, "order of revelation, 1 to 114", 6);

        // (b) Verse by verse.
        for (int s : suras) {
            const SuraText& t = sample.suras[static_cast<size_t>(s - 1)];
            const SuraFigures& f = figures[static_cast<size_t>(s - 1)];
            const std::string n = std::to_string(s);
            b += "<h2 id=\"sura-" + n + "\">Sura " + n + ": " + suraName(t) + "</h2>\n";
            std::vector<std::pair<std::string, long long>> perVerse;
            for (size_t v = 0; v < f.verses.size(); ++v)
                perVerse.emplace_back(n + ":" + std::to_string(v + 1), f.verses[v].words);
            b += barChart("Words per verse of sura " + n, perVerse, std::vector<bool>(perVerse.size(), false),
                          "words per verse, verse 1 to " + std::to_string(f.verses.size()),
                          f.verses.size() > 150 ? 3 : 5);
            b += "<table>\n<tr><th class=\"n\">Verse</th><th class=\"n\">Words</th><th class=\"n\">Letters</th>"
                 "<th class=\"n\">Allah</th><th class=\"n\">GOD count</th><th class=\"n\">GOD sum</th></tr>\n";
            for (size_t v = 0; v < f.verses.size(); ++v) {
                const VerseFigures& x = f.verses[v];
                const std::string r = n + ":" + std::to_string(v + 1);
                b += "<tr>" + cell("verse:" + r, static_cast<long long>(v + 1)) + cell("words:" + r, x.words) +
                     cell("letters:" + r, x.letters) + cell("allah:" + r, x.allah) + cell("count:" + r, x.count) +
                     cell("sum:" + r, x.sum) + "</tr>\n";
            }
            b += "</table>\n";
        }

        // (c) The most frequent words of the three suras.
        std::vector<lookup::Row> rows;
        for (int s : suras) {
            const SuraText& t = sample.suras[static_cast<size_t>(s - 1)];
            for (size_t v = 0; v < t.verses.size(); ++v)
                rows.push_back({s, static_cast<int>(v + 1), t.verses[v]});
        }
        std::vector<lookup::Entry> here = lookup::buildConcordance(rows);
        here.erase(std::remove_if(here.begin(), here.end(),
                                  [](const lookup::Entry& e) {
                                      return commonWords().count(e.key) > 0 || !lookup::hasLetter(e.key);
                                  }),
                   here.end());
        std::stable_sort(here.begin(), here.end(),
                         [](const lookup::Entry& a, const lookup::Entry& b) { return a.occurrences > b.occurrences; });
        if (here.size() > kFrequentWords)
            here.resize(kFrequentWords);
        b += "<h2>The most frequent words</h2>\n<table>\n<tr><th>Word</th><th class=\"n\">Here</th>"
             "<th class=\"n\">Verses here</th><th class=\"n\">Whole text</th></tr>\n";
        for (const auto& e : here) {
            const auto total = totals.find(e.key);
            b += "<tr><td>" + escapeHtml(total != totals.end() ? total->second.word : e.word) + "</td>" +
                 cell("freq:" + e.key, e.occurrences) +
                 cell("fverses:" + e.key, static_cast<long long>(e.refs.size())) +
                 cell("total:" + e.key, total != totals.end() ? total->second.occurrences : 0) + "</tr>\n";
        }
        b += "</table>\n";

        // (e) How.
        b += howSection(common);
        doc.html = htmlPage("Appendix " + two(k) + ": " + doc.title, css, b);
        docs.push_back(std::move(doc));
    }
    return docs;
}

}  // namespace init
