#include "search/query.h"

#include "search/text_util.h"
#include "db/database.h"
#include "db/numeric.h"
#include "db/plain_text.h"
#include "db/recordset.h"
#include "db/sql.h"
#include "core/utf8.h"

#include <algorithm>

namespace search {

namespace {

constexpr std::array<AreaInfo, kAreaCount> kAreas = {{
    {"Words", "ChOrder, Appendix", ""},
    {"Words", "Sura, Verse", ""},
    {"Words", "Sura, Verse", ""},
    {"Words", "Sura, Verse", ""},
    {"Words", "Appendix", ""},
    {"Words", "Number", " and Title='Glossary' "},
    {"Words", "Number", " and Title='Index' "},
    {"YourNotes", "Sura,Verse", ""},
    {"Words", "Sura,Verse", ""},
}};

std::string_view codeOf(char c)
{
    switch (c) {
    case kMustContain:
        return "1";
    case kMustNotContain:
        return "2";
    default:
        return "3";
    }
}

void replaceAll(std::string& s, std::string_view from, std::string_view to)
{
    if (from.empty())
        return;
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

void dropNul(std::string& s) { s.erase(std::remove(s.begin(), s.end(), '\0'), s.end()); }

// Appends every other member of the word groups that hold `word`.
void expandWordGroup(const std::string& word, const std::string& op, int k, int& j, WordSlots slots, db::Database& db)
{
    db::Recordset rs;
    if (!rs.open(wordGroupLookup(word), db))
        return;
    for (; !rs.eof(); rs.moveNext()) {
        for (int f = 0; f <= db::kSimilarColumns && f < rs.fieldCount(); ++f) {
            const db::Value& v = rs.field(f);
            if (v.isNull())
                continue;
            std::string alt = v.toString();
            if (alt.empty() || alt == word)
                continue;
            if (k + j < kSlotCount) {
                slots.words[static_cast<size_t>(k + j)] = std::move(alt);
                slots.ops[static_cast<size_t>(k + j)] = op;
            }
            ++j;
        }
    }
}

// The AND and OR term lists of the statement, built backwards over the
// slots so that the terms stand in the reverse of the typed order.
struct Terms {
    std::string andList;
    std::string orList;
};

void addTerm(Terms& t, std::string_view column, const std::string& word, int mode, std::string_view code)
{
    const std::string tail = "'," + std::to_string(mode) + ") ";
    if (code == "1" || code == "2") {
        t.andList += " and instr(1,";
        t.andList += column;
        t.andList += ",'" + word + tail + (code == "1" ? "> 0 " : "= 0 ");
    } else {
        t.orList += " or  instr(1,";
        t.orList += column;
        t.orList += ",'" + word + tail + "> 0 ";
    }
}

std::string dropFirstFour(const std::string& s) { return s.size() > 4 ? s.substr(4) : std::string(); }

// The clause pieces: A (AND list), J (joining " and ") and the OR group.
struct Clause {
    std::string a, j, o;
};

Clause clauseOf(const Terms& t, std::string_view orOpen)
{
    Clause c;
    c.a = dropFirstFour(t.andList);
    c.j = !t.andList.empty() && !t.orList.empty() ? " and " : "";
    if (!t.orList.empty())
        c.o = std::string(orOpen) + dropFirstFour(t.orList) + ")";
    return c;
}

// Cleans every used slot (last to first) and builds the terms over the
// given column names. `padWhole` pads each cleaned word for whole-word
// matching.
void buildTerms(WordSlots slots, int mode, const SearchOptions& options, bool padWhole,
                std::string_view column, std::string_view qualifiedColumn, Terms& plain, Terms& qualified)
{
    const int m = compareMode(options);
    const int used = std::clamp(slots.count, 0, kSlotCount);
    for (int i = used - 1; i >= 0; --i) {
        std::string word = removeSpcChar(slots.words[static_cast<size_t>(i)], mode, options);
        if (padWhole)
            word = " " + word + " ";
        const std::string& code = slots.ops[static_cast<size_t>(i)];
        addTerm(plain, column, word, m, code);
        if (!qualifiedColumn.empty())
            addTerm(qualified, qualifiedColumn, word, m, code);
    }
}

}  // namespace

const AreaInfo& areaInfo(int area) { return kAreas.at(static_cast<size_t>(std::clamp(area, 0, kAreaCount - 1))); }

std::string prepareSearchText(std::string_view text)
{
    std::string spaced;
    spaced.reserve(text.size() * 2);
    for (char c : text) {
        if (c == '\0')
            continue;  // cannot stand in a statement; a text box never holds one
        if (isOperator(c))
            spaced.push_back(' ');
        spaced.push_back(c);
    }
    return db::collapseSpaces(spaced);
}

std::string wordGroupLookup(std::string_view word)
{
    std::string w = db::doubledQuotes(word);
    dropNul(w);
    std::string sql = "SELECT * FROM SIMWORDS WHERE WORDPHRASE='" + w + "'";
    for (int i = 1; i <= db::kSimilarColumns; ++i)
        sql += " OR SIMILAR" + std::to_string(i) + "='" + w + "'";
    return sql;
}

void getQSearch(std::string_view text, WordSlots slots, db::Database* db)
{
    // Clearing stops at the first empty slot; later slots may keep words of
    // an earlier search, which nothing reads past the count.
    for (size_t i = 0; i < kSlotCount && !slots.words[i].empty(); ++i) {
        slots.words[i].clear();
        slots.ops[i].clear();
    }

    auto store = [&](int slot, std::string word) {
        if (slot < kSlotCount)
            slots.words[static_cast<size_t>(slot)] = std::move(word);
    };

    std::vector<QueryPart> parts = splitAtOperators(text);
    const int k = static_cast<int>(parts.size()) - 1;
    for (int i = 0; i <= k; ++i) {
        QueryPart& part = parts[static_cast<size_t>(i)];
        if (part.op && i < kSlotCount)
            slots.ops[static_cast<size_t>(i)] = std::string(codeOf(part.op));
        store(i, std::move(part.word));
    }

    int j = 1;
    for (int i = std::min(k, kSlotCount - 1); i >= 0; --i) {
        std::string& word = slots.words[static_cast<size_t>(i)];
        word = std::string(trimSpaces(word));
        if (word.find('@') == std::string::npos)
            continue;
        word.erase(std::remove(word.begin(), word.end(), '@'), word.end());
        if (db && db->isOpen())
            expandWordGroup(word, slots.ops[static_cast<size_t>(i)], k, j, slots, *db);
    }
    slots.count = std::min(k + j, kSlotCount);
}

std::string removeSpcChar(std::string& word, int mode, const SearchOptions& options)
{
    dropNul(word);
    if (mode == 0 && ignoresSpecialChars(options))
        word = db::blankSpecialChars(word);
    word = db::doubledQuotes(word);
    word = db::collapseSpaces(word);
    return std::string(trimSpaces(word));
}

std::string simpleStatement(WordSlots slots, const SearchOptions& options)
{
    Terms terms, unused;
    buildTerms(slots, 1, options, false, "Words", "", terms, unused);
    const Clause c = clauseOf(terms, " (");
    return "SELECT * FROM ZOVRSch where " + c.a + c.j + c.o + " order by Sura, Verse";
}

std::optional<std::string> suraCondition(int area, const SearchOptions& options)
{
    if (options.scope == SuraScope::All || !isSuraArea(area))
        return std::string(areaInfo(area).extra);
    if (options.scope == SuraScope::Range) {
        // Placed as typed once both are known to be whole numbers.
        if (!db::wholeNumber(options.suraStart) || !db::wholeNumber(options.suraEnd))
            return std::nullopt;
        return " and (Sura between " + options.suraStart + " and " + options.suraEnd + ") ";
    }
    const std::string list(trimSpaces(options.suras));
    size_t start = 0;
    while (true) {
        size_t comma = list.find(',', start);
        if (!db::wholeNumber(std::string_view(list).substr(start, comma == std::string::npos ? std::string::npos
                                                                                            : comma - start)))
            return std::nullopt;
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return " and Sura in (" + list + ") ";
}

std::optional<std::string> areaStatement(WordSlots slots, int area, std::string_view table,
                                         const SearchOptions& options)
{
    const AreaInfo& info = areaInfo(area);
    const std::string t = std::string(table) + (ignoresSpecialChars(options) ? "1" : "");
    const bool chrono = options.chronological && isSuraArea(area);
    const std::string qualified = chrono ? t + "." + std::string(info.column) : std::string();

    Terms terms, qualifiedTerms;
    buildTerms(slots, 0, options, options.ignoreWhole, info.column, qualified, terms, qualifiedTerms);

    auto scope = suraCondition(area, options);
    if (!scope)
        return std::nullopt;

    // An empty word searched as a whole word becomes "  ", which no row
    // holds; when it is the whole OR group next to other terms it would hide
    // every hit, so its term is taken out again, whatever the compare mode
    // and order.
    auto withoutEmptyWholeWord = [&](const Clause& c, std::string_view open, const std::string& column) {
        std::string tail = c.j + c.o;
        for (int m = 0; m <= 1; ++m)
            replaceAll(tail, "and " + std::string(open) + " instr(1," + column + ",'  '," + std::to_string(m) + ") > 0 )",
                       "");
        return tail;
    };

    std::string sql;
    if (!chrono) {
        const Clause c = clauseOf(terms, " (");
        sql = "SELECT * FROM " + t + " where " + c.a + withoutEmptyWholeWord(c, " (", std::string(info.column)) +
              *scope + " order by " + std::string(info.order);
    } else {
        // The terms name the column of the verse table explicitly; a search
        // word that happens to contain the column name stays as typed.
        const Clause c = clauseOf(qualifiedTerms, "(");
        sql = "Select " + t + ".sura," + t + ".verse," + t + ".Words from " + t + ",SuraTable where " + t +
              ".sura=SuraTable.ChOrder and " + c.a + withoutEmptyWholeWord(c, "(", qualified) + *scope +
              " order by SuraTable.rvorder," + t + ".verse";
    }
    return sql;
}

}  // namespace search
