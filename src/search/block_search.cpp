#include "search/block_search.h"

#include "search/text_util.h"
#include "db/database.h"
#include "db/numeric.h"
#include "db/recordset.h"
#include "db/verse_ref.h"

#include <algorithm>
#include <set>

namespace search {

namespace {

bool contains(std::string_view text, const std::string& word, int mode)
{
    return db::instrPosition(1, text, word, mode) > 0;
}

struct WindowTest {
    const BlockQuery& q;
    int mode;

    template <class Has>
    bool matches(Has has) const
    {
        for (const auto& w : q.required)
            if (!has(w))
                return false;
        for (const auto& w : q.excluded)
            if (has(w))
                return false;
        if (q.alternatives.empty())
            return true;
        return std::any_of(q.alternatives.begin(), q.alternatives.end(), has);
    }
};

// Each sura's verses stand together in both orders the program reads; the
// fast path relies on it and a text where they do not falls back.
bool surasContiguous(const std::vector<BlockVerse>& verses)
{
    std::set<int> closed;
    for (size_t i = 0; i < verses.size(); ++i) {
        if (i > 0 && verses[i].sura != verses[i - 1].sura) {
            if (!closed.insert(verses[i - 1].sura).second || closed.count(verses[i].sura))
                return false;
        }
    }
    return true;
}

bool anyLineBreak(const BlockQuery& q)
{
    for (const auto* list : {&q.required, &q.excluded, &q.alternatives})
        for (const auto& w : *list)
            if (w.find_first_of("\r\n") != std::string::npos)
                return true;
    return false;
}

void appendWindow(std::string& out, const std::vector<BlockVerse>& verses, size_t start, size_t size, bool showFirst)
{
    out += "\r\n";
    if (showFirst) {
        out += verses[start].text;
        out += "\r\n";
    } else {
        const int sura = verses[start].sura;
        for (size_t v = start; v < start + size; ++v) {
            if (verses[v].sura != sura)
                continue;
            out += verses[v].text;
            out += "\r\n";
        }
    }
    out += kBlockSeparator;
    out += "\r\n";
}

// The window test as the text of the window reads it: the verses of the
// window's first sura, one per line.
std::vector<bool> matchByWindowText(const std::vector<BlockVerse>& verses, size_t size, const WindowTest& test)
{
    std::vector<bool> hit(verses.size() - size + 1, false);
    std::string window;
    for (size_t start = 0; start < hit.size(); ++start) {
        window.clear();
        for (size_t v = start; v < start + size; ++v) {
            if (verses[v].sura != verses[start].sura)
                continue;
            window += verses[v].text;
            window += "\r\n";
        }
        hit[start] = test.matches([&](const std::string& w) { return contains(window, w, test.mode); });
    }
    return hit;
}

// The same test from which verses hold each word: a word without a line
// break cannot straddle two verses of the window text, so the window holds
// it exactly when one of its verses does.
std::vector<bool> matchByVerse(const std::vector<BlockVerse>& verses, size_t size, const WindowTest& test)
{
    const size_t n = verses.size();
    std::vector<size_t> runEnd(n);
    for (size_t i = n; i-- > 0;)
        runEnd[i] = (i + 1 < n && verses[i + 1].sura == verses[i].sura) ? runEnd[i + 1] : i;

    // prefix[w][v]: verses before v that hold word w.
    std::vector<std::string> words;
    for (const auto* list : {&test.q.required, &test.q.excluded, &test.q.alternatives})
        for (const auto& w : *list)
            if (std::find(words.begin(), words.end(), w) == words.end())
                words.push_back(w);
    std::vector<std::vector<int>> prefix(words.size(), std::vector<int>(n + 1, 0));
    for (size_t w = 0; w < words.size(); ++w)
        for (size_t v = 0; v < n; ++v)
            prefix[w][v + 1] = prefix[w][v] + (contains(verses[v].text, words[w], test.mode) ? 1 : 0);

    std::vector<bool> hit(n - size + 1, false);
    for (size_t start = 0; start < hit.size(); ++start) {
        const size_t last = std::min(start + size - 1, runEnd[start]);
        hit[start] = test.matches([&](const std::string& word) {
            const size_t w = static_cast<size_t>(std::find(words.begin(), words.end(), word) - words.begin());
            return prefix[w][last + 1] - prefix[w][start] > 0;
        });
    }
    return hit;
}

}  // namespace

BlockQuery parseBlockQuery(std::string_view text)
{
    const std::vector<QueryPart> parts = splitAtOperators(text);
    BlockQuery q;
    q.slotsUsed = static_cast<int>(parts.size());
    for (const QueryPart& part : parts) {
        std::string w(trimSpaces(part.word));
        switch (part.op) {
        case kMustNotContain:
            q.excluded.push_back(std::move(w));
            break;
        case kAlternative:
            q.alternatives.push_back(std::move(w));
            break;
        default:  // "+" and the word before the first operator
            q.required.push_back(std::move(w));
            break;
        }
    }
    return q;
}

BlockResult blockSearch(std::string_view searchText, const std::vector<BlockVerse>& verses,
                        const BlockOptions& options, WordSlots* slots)
{
    BlockResult r;
    r.searchBoxText = " " + std::string(searchText);
    if (r.searchBoxText.find_first_of("+\\/") == std::string::npos)
        return r;
    r.searched = true;
    const BlockQuery q = parseBlockQuery(r.searchBoxText);
    r.searchBoxText.erase(r.searchBoxText.find_last_not_of(' ') + 1);

    if (slots) {
        for (int i = 0; i < std::min(q.slotsUsed, kSlotCount); ++i) {
            slots->words[static_cast<size_t>(i)].clear();
            slots->ops[static_cast<size_t>(i)] = "0";
        }
    }

    const auto size = db::wholeNumber(options.windowSize);
    if (!size || *size < 1 || static_cast<unsigned long long>(*size) > verses.size())
        return r;
    const size_t w = static_cast<size_t>(*size);
    const WindowTest test{q, options.letterCase ? 0 : 1};
    const std::vector<bool> hit = surasContiguous(verses) && !anyLineBreak(q) ? matchByVerse(verses, w, test)
                                                                               : matchByWindowText(verses, w, test);
    for (size_t start = 0; start < hit.size(); ++start) {
        if (!hit[start])
            continue;
        appendWindow(r.output, verses, start, w, options.showFirst);
        ++r.windows;
    }
    return r;
}

std::string blockVersesStatement(bool chronological, bool storedForm)
{
    const std::string t = storedForm ? "ZOVR" : "ZOVRSch";
    if (!chronological)
        return "Select Sura, Verse, Words from " + t + " order by sura, verse";
    // Named columns: SuraTable has a Words column of its own.
    return "Select " + t + ".Sura, " + t + ".Verse, " + t + ".Words from " + t + ",SuraTable where " + t +
           ".sura=SuraTable.chOrder order by SuraTable.rvOrder, " + t + ".verse";
}

std::vector<BlockVerse> readBlockVerses(db::Database& db, bool chronological, const RtfToPlain& rtfToPlain)
{
    std::vector<BlockVerse> verses;
    db::Recordset rs;
    if (!rs.open(blockVersesStatement(chronological, static_cast<bool>(rtfToPlain)), db))
        return verses;
    verses.reserve(static_cast<size_t>(std::max(0L, rs.recordCount())));
    for (; !rs.eof(); rs.moveNext()) {
        BlockVerse v;
        v.sura = static_cast<int>(rs.field(0).toInt());
        v.verse = static_cast<int>(rs.field(1).toInt());
        const std::string& words = rs.field(2).text();
        if (rtfToPlain) {
            v.text = words.rfind("{\\rtf", 0) == 0 ? rtfToPlain(words) : words;
        } else {
            v.text = v.verse > 0 ? db::VerseRef{v.sura, v.verse}.bracketed() + " " + words : words;
        }
        while (!v.text.empty() && (v.text.back() == '\n' || v.text.back() == '\r'))
            v.text.pop_back();
        verses.push_back(std::move(v));
    }
    return verses;
}

}  // namespace search
