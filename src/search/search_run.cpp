#include "search/search_run.h"

#include "search/text_util.h"
#include "db/database.h"
#include "db/recordset.h"

#include <algorithm>

namespace search {

namespace {

// Sura, appendix and chapter numbers start at 1: a 0 stored for "none" is
// as empty as a missing value.
bool hasNumber(const db::Value& v)
{
    if (v.isNull())
        return false;
    const std::string s = v.toString();
    return !s.empty() && s != "0";
}

std::string reference(const db::Recordset& rs)
{
    return rs.field("Sura").toString() + ":" + rs.field("Verse").toString();
}

void runStatement(db::Database& db, StatementRun& run, std::vector<std::string>& rows)
{
    db::Recordset rs;
    if (!rs.open(run.sql, db)) {
        run.status = StatementRun::Status::Failed;
        run.error = rs.lastError();
        return;
    }
    run.status = StatementRun::Status::Done;
    for (; !rs.eof(); rs.moveNext()) {
        std::string row = resultRow(run.area, rs);
        if (!row.empty())
            rows.push_back(std::move(row));
    }
}

}  // namespace

SearchStep searchStep(const SearchPanelInput& in)
{
    const bool block = in.blockSearch && in.advancedVisible;
    const bool anyArea = std::any_of(in.areas.begin(), in.areas.end(), [](bool b) { return b; });
    if (in.text.empty() || (!anyArea && !block))
        return SearchStep::MissingInput;
    if (block)
        return SearchStep::AskBlockSearch;
    return in.advancedOpen ? SearchStep::Area : SearchStep::Simple;
}

std::optional<std::string> selectedSearchText(std::string_view selection)
{
    if (selection.empty())
        return std::nullopt;
    return std::string(trimSpaces(selection));
}

std::string resultRow(int area, const db::Recordset& rs)
{
    switch (area) {
    case 0: {
        std::string row = "TL.";
        if (hasNumber(rs.field("ChOrder")))
            row += "Sura " + rs.field("ChOrder").toString() + " ";
        if (hasNumber(rs.field("Appendix")))
            row += "Appendix " + rs.field("Appendix").toString() + " ";
        return row + std::string(trimSpaces(rs.field("Words").toString()));
    }
    case 1:
        return "V." + reference(rs);
    case 2:
        return "S." + reference(rs);
    case 3:
        return "F." + reference(rs);
    case 4:
        if (hasNumber(rs.field("Appendix")))
            return "AP." + rs.field("Appendix").toString() + " " + std::string(trimSpaces(rs.field("Words").toString()));
        return "FM." + rs.field("Words").toString();
    case 5:
        return "GL." + rs.field("Words").toString();
    case 6:
        return "IN." + rs.field("Words").toString();
    case 8:
        // Sura 0 rows only mark a topic; they are never a verse to open.
        if (rs.field("Sura").toInt() == 0)
            return {};
        return "T." + reference(rs);
    default:  // the simple search and My Notes
        return reference(rs);
    }
}

SearchRun runSimpleSearch(db::Database& db, std::string_view preparedText, WordSlots slots,
                          const SearchOptions& options, bool execute)
{
    SearchRun out;
    getQSearch(preparedText, slots, &db);
    StatementRun run;
    run.sql = simpleStatement(slots, options);
    if (execute)
        runStatement(db, run, out.rows);
    out.statements.push_back(std::move(run));
    return out;
}

SearchRun runAreaSearch(db::Database& db, std::string_view preparedText, WordSlots slots,
                        const SearchOptions& options, const AreaSet& areas, const db::SearchTableList& tables,
                        bool execute)
{
    SearchRun out;
    for (int area = 0; area < kAreaCount; ++area) {
        if (!areas[static_cast<size_t>(area)])
            continue;
        // Parsed afresh for every area, so word groups are looked up again.
        getQSearch(preparedText, slots, &db);
        StatementRun run;
        run.area = area;
        auto sql = areaStatement(slots, area, tables[static_cast<size_t>(area)], options);
        if (!sql) {
            run.status = StatementRun::Status::ScopeRefused;
        } else {
            run.sql = std::move(*sql);
            if (execute)
                runStatement(db, run, out.rows);
        }
        out.statements.push_back(std::move(run));
    }
    return out;
}

}  // namespace search
