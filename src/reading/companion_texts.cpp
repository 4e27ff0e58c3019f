#include "reading/companion_texts.h"

#include "db/database.h"
#include "db/numeric.h"
#include "db/recordset.h"
#include "db/sql.h"

#include <cstdio>

namespace fs = std::filesystem;

namespace reading {

fs::path companionFolder(const fs::path& programFolder, std::string_view language)
{
    return programFolder / "Files" / std::string(language);
}

fs::path contentsPath(const fs::path& programFolder, std::string_view language)
{
    return companionFolder(programFolder, language) / "Contents.htm";
}

fs::path appendixPath(const fs::path& programFolder, std::string_view language, int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "Appendix %02d.htm", number);
    return companionFolder(programFolder, language) / "Appendices" / name;
}

fs::path concordancePath(const fs::path& programFolder, std::string_view language, std::string_view name)
{
    return companionFolder(programFolder, language) / (std::string(name) + ".htm");
}

fs::path indexPath(const fs::path& programFolder, std::string_view language)
{
    return companionFolder(programFolder, language) / "index.rtf";
}

fs::path tutorialPath(const fs::path& programFolder)
{
    return programFolder / "Files" / "Help.htm";
}

bool sizeMatchesRecord(long long bytes, long long recordedId)
{
    return bytes >= 0 && bytes / kSizeUnit == recordedId;
}

bool DocumentCheck::passes() const
{
    return exists && recorded && sizeMatchesRecord(size, *recorded);
}

std::optional<long long> recordedSize(db::Database& db, SizeRecord kind, std::string_view key)
{
    std::string sql;
    switch (kind) {
    case SizeRecord::Contents:
        sql = "Select * from SuraTable where Words='Contents'";
        break;
    case SizeRecord::Concordance:
        sql = "Select * from SuraTable where Words=" + db::quoted(key);
        break;
    case SizeRecord::Appendix: {
        const auto n = db::wholeNumber(key);
        if (!n)
            return std::nullopt;
        sql = "Select * from SuraTable where Appendix=" + std::to_string(*n);
        break;
    }
    }
    db::Recordset rs;
    if (!rs.open(sql, db) || rs.eof())
        return std::nullopt;
    const db::Value& id = rs.field("ID");
    if (id.isNull())
        return std::nullopt;
    return id.toInt();
}

namespace {

// Whether the file is there, and its size; no size record.
DocumentCheck existing(const fs::path& path)
{
    DocumentCheck c;
    c.path = path;
    std::error_code ec;
    c.exists = fs::is_regular_file(path, ec);
    if (c.exists) {
        const auto bytes = fs::file_size(path, ec);
        c.exists = !ec;
        c.size = ec ? 0 : static_cast<long long>(bytes);
    }
    return c;
}

}  // namespace

DocumentCheck checkDocument(db::Database& db, const fs::path& path, SizeRecord kind, std::string_view key)
{
    DocumentCheck c = existing(path);
    c.recorded = recordedSize(db, kind, key);
    return c;
}

DocumentCheck checkContents(db::Database& db, const fs::path& programFolder, std::string_view language)
{
    return checkDocument(db, contentsPath(programFolder, language), SizeRecord::Contents, "Contents");
}

DocumentCheck checkAppendix(db::Database& db, const fs::path& programFolder, std::string_view language, int number)
{
    return checkDocument(db, appendixPath(programFolder, language, number), SizeRecord::Appendix,
                         std::to_string(number));
}

DocumentCheck checkConcordance(db::Database& db, const fs::path& programFolder, std::string_view language,
                               std::string_view name)
{
    return checkDocument(db, concordancePath(programFolder, language, name), SizeRecord::Concordance, name);
}

std::vector<CompanionDocument> companionDocuments(db::Database& db, const fs::path& programFolder,
                                                  std::string_view language)
{
    std::vector<CompanionDocument> out;
    out.push_back({"Contents", checkContents(db, programFolder, language)});
    for (int n = 1; n <= kAppendixCount; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "Appendix %02d", n);
        out.push_back({name, checkAppendix(db, programFolder, language, n)});
    }
    for (const char* name : {"VConcordance", "SConcordance", "FConcordance"})
        out.push_back({name, checkConcordance(db, programFolder, language, name)});
    out.push_back({"index.rtf", existing(indexPath(programFolder, language)), false});
    out.push_back({"Help.htm", existing(tutorialPath(programFolder)), false});
    out.push_back({"Numbers.htm", existing(companionFolder(programFolder, language) / "Numbers.htm"), false});
    return out;
}

std::optional<int> appendixNumberOf(std::string_view entry)
{
    const auto n = db::wholeNumber(entry.substr(0, 2));
    if (!n || *n < 1 || *n > kAppendixCount)
        return std::nullopt;
    return static_cast<int>(*n);
}

std::string appendixEntry(int number, std::string_view title)
{
    char head[16];
    std::snprintf(head, sizeof head, "%02d : ", number);
    return head + std::string(title);
}

std::vector<std::string> appendixEntries(db::Database& db)
{
    std::vector<std::string> out;
    db::Recordset rs;
    if (rs.open("SELECT Appendix, Words FROM SuraTable WHERE Appendix BETWEEN 1 AND 38 ORDER BY Appendix", db))
        for (; !rs.eof(); rs.moveNext())
            out.push_back(appendixEntry(static_cast<int>(rs.field(0).toInt()), rs.field(1).toString()));
    return out;
}

// ---- lists ------------------------------------------------------------------------

const char* listTitle(ListKind kind)
{
    return kind == ListKind::Subtitles ? "Subtitles" : "Footnotes";
}

std::optional<ListKind> listKindOf(std::string_view title)
{
    if (title == "Subtitles")
        return ListKind::Subtitles;
    if (title == "Footnotes")
        return ListKind::Footnotes;
    return std::nullopt;
}

const char* listCaption(ListKind kind)
{
    return kind == ListKind::Subtitles ? "List of Subtitles:" : "List of Footnotes:";
}

std::vector<std::string> listEntries(db::Database& db, ListKind kind, int sura)
{
    const std::string table = kind == ListKind::Subtitles ? "HEADERS" : "FOOTERS";
    const std::string sql = sura == 0
                                ? "SELECT * FROM " + table + " ORDER BY SURA, VERSE"
                                : "SELECT * FROM " + table + " WHERE SURA=" + std::to_string(sura) + " ORDER BY SURA, VERSE";
    std::vector<std::string> out;
    db::Recordset rs;
    if (!rs.open(sql, db))
        return out;
    for (; !rs.eof(); rs.moveNext())
        out.push_back("[" + rs.field("Sura").toString() + ":" + rs.field("Verse").toString() + "]\t" +
                      rs.field("Words").toString());
    return out;
}

std::string listEntryReference(std::string_view entry)
{
    if (entry.size() < 2)
        return {};
    const auto close = entry.find(']');
    if (close == std::string_view::npos)
        return std::string(entry.substr(1));
    return std::string(entry.substr(1, close));
}

// ---- texts from the database ----------------------------------------------------

std::vector<std::string> glossaryRows(db::Database& db)
{
    std::vector<std::string> out;
    db::Recordset rs;
    if (rs.open("Select * from GlosIndex where Title='Glossary' order by Number", db))
        for (; !rs.eof(); rs.moveNext())
            out.push_back(rs.field("Words").toString());
    return out;
}

std::string introductionHtml(db::Database& db)
{
    std::string html;
    db::Recordset rs;
    if (rs.open("SELECT * FROM FRONTMATTER WHERE PAGE BETWEEN 8 AND 15 ORDER BY PAGE", db))
        for (; !rs.eof(); rs.moveNext())
            html += rs.field("Matter").toString() + "\r\n";
    return html;
}

std::optional<std::string> frontMatterPage(db::Database& db, long long page)
{
    db::Recordset rs;
    if (!rs.open("select * from frontmatter where page=" + std::to_string(page), db) || rs.eof())
        return std::nullopt;
    return rs.field("Matter").toString();
}

}  // namespace reading
