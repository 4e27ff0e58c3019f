#include "init/text_builder.h"

#include "db/database.h"
#include "db/plain_text.h"
#include "db/recordset.h"
#include "db/schema.h"
#include "db/verse_ref.h"
#include "init/appendices.h"
#include "init/concordance_doc.h"
#include "init/html_doc.h"
#include "init/verse_rtf.h"
#include "lookup/concordance.h"

#include <sqlite3.h>

#include <QCryptographicHash>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace init {

namespace fs = std::filesystem;

namespace {

constexpr int kProgressMax = 18360;

void report(const Progress& p, int value)
{
    if (p)
        p(std::clamp(value, 0, kProgressMax));
}

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

using Inserter = db::RowWriter;

void run(db::Database& db, const std::string& sql)
{
    if (!db.execute(sql))
        throw std::runtime_error("cannot write " + db.file().string() + ": " + db.lastError());
}

using VerseKey = std::pair<int, int>;

template <typename T>
std::map<VerseKey, std::vector<T>> byVerse(const std::vector<VerseNote>& notes, T (*make)(const VerseNote&))
{
    std::map<VerseKey, std::vector<T>> out;
    for (const auto& n : notes)
        out[{n.sura, n.verse}].push_back(make(n));
    return out;
}

std::string suraTitle(const SuraText& s)
{
    if (s.translitName.empty())
        return s.englishName;
    return s.englishName + " (" + s.translitName + ")";
}

void checkReferences(const std::vector<VerseNote>& notes, const SampleText& sample, const char* what, bool openingAllowed)
{
    for (const auto& n : notes) {
        const auto& sura = sample.suras[static_cast<size_t>(n.sura - 1)];
        bool opening = n.verse == 0 && openingAllowed && db::hasOpeningRow(n.sura);
        if (!opening && (n.verse < 1 || n.verse > static_cast<int>(sura.verses.size())))
            throw std::runtime_error(std::string(what) + " for " + db::VerseRef{n.sura, n.verse}.display() +
                                     ": the sample text has no such verse");
    }
}

// Every verse text, lower case, in one buffer; an occurrence is mapped back
// to its verse by offset.
struct Concordance {
    std::string text;
    std::vector<size_t> starts;  // offset of each verse
    std::vector<db::VerseRef> refs;

    explicit Concordance(const SampleText& sample)
    {
        for (const auto& s : sample.suras)
            for (size_t v = 0; v < s.verses.size(); ++v) {
                starts.push_back(text.size());
                refs.push_back({s.number, static_cast<int>(v + 1)});
                for (char c : s.verses[v])
                    text.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
                text.push_back('\n');
            }
    }

    // Verses where the phrase occurs as whole words, letter case ignored.
    std::vector<size_t> versesWith(std::string phrase) const
    {
        for (char& c : phrase)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::vector<size_t> out;
        if (phrase.empty())
            return out;
        for (size_t at = text.find(phrase); at != std::string::npos; at = text.find(phrase, at + 1)) {
            bool before = at == 0 || !isWordChar(text[at - 1]);
            size_t end = at + phrase.size();
            bool after = end >= text.size() || !isWordChar(text[end]);
            if (!before || !after)
                continue;
            size_t verse = static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin()) - 1;
            if (out.empty() || out.back() != verse)
                out.push_back(verse);
        }
        return out;
    }
};

// Writes a file under a temporary name and renames it into place, so a
// reader never sees half of it. A failure names the system's reason and
// leaves no temporary file behind.
void writeAtomically(const fs::path& file, const std::string& content)
{
    fs::create_directories(file.parent_path());
    fs::path tmp = file;
    tmp += ".part-" + std::to_string(::getpid());
    auto failed = [&](const fs::path& what) {
        const int err = errno;
        ::unlink(tmp.c_str());
        throw std::runtime_error("cannot write " + what.string() + ": " + std::strerror(err));
    };
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        failed(tmp);
    for (size_t done = 0; done < content.size();) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            ::close(fd);
            errno = err;
            failed(tmp);
        }
        done += static_cast<size_t>(n);
    }
    if (::close(fd) != 0)
        failed(tmp);
    if (::rename(tmp.c_str(), file.c_str()) != 0)
        failed(file);
}

std::string indexRtf(const std::vector<std::string>& lines)
{
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\pard\\f0"
        "\\qc\\fs32\\b INDEX\\b0\\par\\pard\\fs24\\par ";
    for (const auto& line : lines) {
        auto colon = line.find(':');
        rtf += "{\\b " + rtfEscape(line.substr(0, colon)) + "}";
        if (colon != std::string::npos)
            rtf += rtfEscape(line.substr(colon));
        rtf += "\\par ";
    }
    rtf += "}";
    return rtf;
}

}  // namespace

std::string textIdentity(db::Database& db)
{
    // Everything the program shows from the file, and its layout; the
    // reader's columns and tables are left out, so the same text built
    // twice has the same identity whatever notes it carries.
    static const char* const statements[] = {
        "SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' AND name <> 'ZerafinBuild' "
        "ORDER BY type, name",
        "SELECT Sura, Verse, Words, \"count\", \"sum\" FROM ZOVR ORDER BY Sura, Verse",
        "SELECT Sura, Verse, Words FROM ZOVR1 ORDER BY Sura, Verse",
        "SELECT * FROM ZOVRSch ORDER BY rowid", "SELECT * FROM Q ORDER BY rowid", "SELECT * FROM Q1 ORDER BY rowid",
        "SELECT * FROM SuraTable ORDER BY rowid", "SELECT * FROM SuraTable1 ORDER BY rowid",
        "SELECT * FROM HEADERS ORDER BY rowid", "SELECT * FROM HEADERS1 ORDER BY rowid",
        "SELECT * FROM FOOTERS ORDER BY rowid", "SELECT * FROM FOOTERS1 ORDER BY rowid",
        "SELECT * FROM FRONTMATTER ORDER BY rowid", "SELECT * FROM GlosIndex ORDER BY rowid",
        "SELECT * FROM GlosIndex1 ORDER BY rowid", "SELECT * FROM Appendices ORDER BY rowid",
        "SELECT * FROM Appendices1 ORDER BY rowid",
    };
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (const char* sql : statements) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db.handle(), sql, -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            throw std::runtime_error("cannot read back " + db.file().string() + ": " + sqlite3_errmsg(db.handle()));
        }
        digest.addData(QByteArrayView(sql));
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int i = 0, n = sqlite3_column_count(st); i < n; ++i) {
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(st, i));
                const int size = sqlite3_column_bytes(st, i);
                // Type and length first, so that no two rows run together alike.
                const std::string head = std::to_string(sqlite3_column_type(st, i)) + ":" + std::to_string(size) + ":";
                digest.addData(QByteArrayView(head.data(), qsizetype(head.size())));
                if (size > 0)
                    digest.addData(QByteArrayView(bytes, size));
            }
        sqlite3_finalize(st);
    }
    return digest.result().toHex().toStdString();
}

int countWord(std::string_view text, std::string_view word)
{
    if (word.empty())
        return 0;
    int n = 0;
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        bool before = at == 0 || !isWordChar(text[at - 1]);
        size_t end = at + word.size();
        bool after = end >= text.size() || !isWordChar(text[end]);
        if (before && after)
            ++n;
    }
    return n;
}

std::vector<std::string> indexLines(const std::vector<IndexTerm>& terms, const SampleText& sample)
{
    Concordance c(sample);
    std::vector<const IndexTerm*> sorted;
    for (const auto& term : terms)
        sorted.push_back(&term);
    std::stable_sort(sorted.begin(), sorted.end(), [](const IndexTerm* a, const IndexTerm* b) {
        return std::lexicographical_compare(a->term.begin(), a->term.end(), b->term.begin(), b->term.end(),
                                            [](unsigned char x, unsigned char y) {
                                                return std::tolower(x) < std::tolower(y);
                                            });
    });
    std::vector<std::string> lines;
    for (const IndexTerm* t : sorted) {
        const IndexTerm& term = *t;
        std::vector<size_t> verses;
        for (const auto& w : term.words) {
            auto found = c.versesWith(w);
            verses.insert(verses.end(), found.begin(), found.end());
        }
        std::sort(verses.begin(), verses.end());
        verses.erase(std::unique(verses.begin(), verses.end()), verses.end());
        if (verses.empty())
            continue;  // an index entry with nothing to look up
        std::string line = term.term + ":";
        for (size_t i = 0; i < verses.size(); ++i)
            line += (i ? ", " : " ") + c.refs[verses[i]].display();
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string contentsHtml(const SampleText& sample, const std::vector<AppendixDoc>& appendices, std::string_view css)
{
    std::vector<int> rvPos(115, 0);
    const auto& order = revelationOrder();
    for (size_t i = 0; i < order.size(); ++i)
        rvPos[static_cast<size_t>(order[i])] = static_cast<int>(i + 1);
    auto fileOf = [](int appendix) {
        char name[40];
        std::snprintf(name, sizeof name, "Appendices/Appendix %02d.htm", appendix);
        return std::string(name);
    };
    auto covering = [&](int sura) -> const AppendixDoc* {
        const int number = (sura + kSurasPerAppendix - 1) / kSurasPerAppendix;
        for (const auto& a : appendices)
            if (a.number == number)
                return &a;
        return nullptr;
    };
    std::ostringstream h;
    h << "<h1>Contents</h1>\n<p class=\"lead\">The " << sample.suras.size()
      << " suras with their verses and place in the order of revelation, each linked to the appendix that "
         "gives its figures; the appendices; the concordances. The subject index opens with the "
         "<b>Index</b> command.</p>\n"
      << "<p><a href=\"#suras\">Suras</a> · <a href=\"#appendices\">Appendices</a> · "
         "<a href=\"#concordances\">Concordances</a></p>\n";
    h << "<h2 id=\"suras\">Suras</h2>\n<table>\n<tr><th class=\"n\">Sura</th><th>Name</th><th>Transliteration</th>"
         "<th class=\"n\">Verses</th><th class=\"n\">Order of revelation</th><th>Appendix</th></tr>\n";
    for (const auto& s : sample.suras) {
        h << "<tr><td class=\"n\">" << s.number << "</td><td>" << escapeHtml(s.englishName) << "</td><td>"
          << escapeHtml(s.translitName) << "</td><td class=\"n\">" << s.verses.size() << "</td><td class=\"n\">"
          << rvPos[static_cast<size_t>(std::clamp(s.number, 0, 114))] << "</td><td>";
        if (const AppendixDoc* a = covering(s.number))
            h << "<a href=\"" << fileOf(a->number) << "#sura-" << s.number << "\">Appendix " << a->number << "</a>";
        h << "</td></tr>\n";
    }
    h << "</table>\n<h2 id=\"appendices\">Appendices</h2>\n<ol class=\"toc\">\n";
    for (const auto& a : appendices)
        h << "<li value=\"" << a.number << "\"><a href=\"" << fileOf(a.number) << "\">" << escapeHtml(a.title)
          << "</a></li>\n";
    h << "</ol>\n<h2 id=\"concordances\">Concordances</h2>\n<ul>\n";
    for (auto area : {lookup::Area::Verses, lookup::Area::Subtitles, lookup::Area::Footnotes})
        h << "<li><a href=\"" << lookup::documentName(area) << ".htm\">Every word of the " << lookup::areaName(area)
          << "</a></li>\n";
    h << "</ul>\n";
    return htmlPage("Contents", css, h.str());
}

namespace {

using TextsByVerse = std::map<VerseKey, std::vector<std::string>>;

// ZOVR, its twin ZOVR1 and the search forms ZOVRSch and Q, verse by verse,
// with the running count and sum of the verses that name Allah.
void writeVerses(db::Database& db, const SampleText& sample, const TextsByVerse& subtitles,
                 const TextsByVerse& footnotes, const Progress& progress, TextCounts& counts)
{
    Inserter zovr(db, "INSERT INTO ZOVR (Sura, Verse, Words, YourNotes, \"count\", \"sum\") VALUES (?,?,?,?,?,?)");
    Inserter zovrSch(db, "INSERT INTO ZOVRSch (Sura, Verse, Words) VALUES (?,?,?)");
    Inserter q(db, "INSERT INTO Q (Sura, Verse, Words) VALUES (?,?,?)");
    Inserter zovr1(db, "INSERT INTO ZOVR1 (Sura, Verse, Words, YourNotes) VALUES (?,?,?,?)");

    // The opening line of every sura but 1 and 9 reads as the first verse of sura 1.
    const std::string opening = sample.suras[0].verses[0];
    long long godCount = 0, godSum = 0;
    int done = 0;
    const int total = sample.verseCount();
    auto addRow = [&](int sura, int verse, const std::string& rtf, const std::string& plain) {
        zovr.row({sura, verse, rtf, std::string(), godCount, godSum});
        // ZOVR1 mirrors every row, notes included (the notes trigger keeps
        // them in step). The search forms hold the numbered verses only: the
        // unnumbered opening repeats one line 112 times and would bury every
        // search for its words.
        zovr1.row({sura, verse, db::plainSearchForm(plain), std::string()});
        if (verse > 0) {
            zovrSch.row({sura, verse, plain});
            q.row({sura, verse, plain});
        }
        ++counts.verseRows;
    };
    for (const auto& s : sample.suras) {
        if (db::hasOpeningRow(s.number)) {
            auto fn = footnotes.find({s.number, 0});
            addRow(s.number, 0,
                   openingRtf(s.number, suraTitle(s), opening, fn == footnotes.end() ? std::vector<std::string>{} : fn->second),
                   opening);
        }
        for (size_t i = 0; i < s.verses.size(); ++i) {
            int v = static_cast<int>(i + 1);
            const std::string& text = s.verses[i];
            if (int n = countWord(text, "Allah"); n > 0) {
                godCount += n;
                godSum += v;
            }
            auto st = subtitles.find({s.number, v});
            std::string subtitle;
            if (st != subtitles.end())
                for (const auto& t : st->second)
                    subtitle += (subtitle.empty() ? "" : " / ") + t;
            auto fn = footnotes.find({s.number, v});
            addRow(s.number, v,
                   verseRtf(s.number, v, subtitle, text, fn == footnotes.end() ? std::vector<std::string>{} : fn->second),
                   text);
            if (++done % 500 == 0)
                report(progress, 2000 + static_cast<int>(12000LL * done / total));
        }
    }
}

void writeSuraTable(db::Database& db, const SampleText& sample, const Companions& companions)
{
    Inserter suras(db, "INSERT INTO SuraTable (ChOrder, RvOrder, Words, Appendix, ID) VALUES (?,?,?,?,?)");
    const auto& order = revelationOrder();
    for (const auto& s : sample.suras) {
        int rv = static_cast<int>(std::find(order.begin(), order.end(), s.number) - order.begin()) + 1;
        suras.row({s.number, rv, suraTitle(s), 0, 0});
    }
    for (const auto& r : companions.sizes)
        suras.row({0, 0, r.title, r.appendix, r.bytes / 200});
}

void writeSubtitlesAndFootnotes(db::Database& db, const TextsByVerse& subtitles, const TextsByVerse& footnotes,
                                TextCounts& counts)
{
    Inserter headers(db, "INSERT INTO HEADERS (Sura, Verse, Words) VALUES (?,?,?)");
    for (const auto& [key, texts] : subtitles)
        for (const auto& t : texts) {
            headers.row({key.first, key.second, t});
            ++counts.subtitles;
        }
    Inserter footers(db, "INSERT INTO FOOTERS (Sura, Verse, Words) VALUES (?,?,?)");
    for (const auto& [key, texts] : footnotes)
        for (const auto& t : texts) {
            footers.row({key.first, key.second, t});
            ++counts.footnotes;
        }
}

void writeFrontMatter(db::Database& db, const ProjectData& data)
{
    Inserter pages(db, "INSERT INTO FRONTMATTER (Page, Matter) VALUES (?,?)");
    for (const auto& p : data.frontMatter)
        pages.row({p.number, p.content});
}

void writeGlossaryAndIndex(db::Database& db, const ProjectData& data, const Companions& companions, TextCounts& counts)
{
    Inserter gi(db, "INSERT INTO GlosIndex (Title, Number, Words) VALUES (?,?,?)");
    int n = 0;
    for (const auto& g : data.glossary) {
        gi.row({"Glossary", ++n, g.term + ": " + g.definition});
        ++counts.glossary;
    }
    n = 0;
    for (const auto& line : companions.indexLines) {
        gi.row({"Index", ++n, line});
        ++counts.indexEntries;
    }
}

// The introduction (front-matter pages 8 on) as appendix 0, then the appendices.
void writeAppendices(db::Database& db, const ProjectData& data, const Companions& companions)
{
    Inserter app(db, "INSERT INTO Appendices (Appendix, Words) VALUES (?,?)");
    std::string intro;
    for (const auto& p : data.frontMatter)
        if (p.number >= 8)
            intro += p.content + "\n";
    if (!intro.empty())
        app.row({0, htmlToText(intro)});
    for (const auto& a : companions.appendices)
        app.row({a.number, htmlToText(a.html)});
}

void writeWordGroups(db::Database& db, const ProjectData& data)
{
    Inserter groups(db, "INSERT INTO SIMWORDS VALUES (?,?,?,?,?,?,?,?,?,?)");
    for (const auto& g : data.wordGroups) {
        std::vector<db::Value> row;
        for (size_t i = 0; i < 10; ++i)
            row.emplace_back(i < g.size() ? g[i] : std::string());
        groups.row(row);
    }
}

// The "1" twins: the same rows with punctuation blanked.
void writePlainTwins(db::Database& db)
{
    run(db, R"sql(
INSERT INTO Q1 (Sura, Verse, Words) SELECT Sura, Verse, zf_plain(Words) FROM Q ORDER BY rowid;
INSERT INTO SuraTable1 SELECT ChOrder, RvOrder, zf_plain(Words), Appendix, ID FROM SuraTable ORDER BY rowid;
INSERT INTO HEADERS1 SELECT Sura, Verse, zf_plain(Words) FROM HEADERS ORDER BY rowid;
INSERT INTO FOOTERS1 SELECT Sura, Verse, zf_plain(Words) FROM FOOTERS ORDER BY rowid;
INSERT INTO Appendices1 SELECT Appendix, zf_plain(Words) FROM Appendices ORDER BY rowid;
INSERT INTO GlosIndex1 SELECT Title, Number, zf_plain(Words) FROM GlosIndex ORDER BY rowid;
)sql");
    run(db, db::notesTwinTrigger());
}

}  // namespace

TextCounts writeTextDatabase(const fs::path& file, const SampleText& sample, const ProjectData& data, const UserData& user,
                             const Companions& companions, const Progress& progress)
{
    if (sample.suras.size() != 114)
        throw std::runtime_error("the sample text does not hold 114 suras");
    checkReferences(data.subtitles, sample, "a subtitle", false);
    checkReferences(data.footnotes, sample, "a footnote", true);

    TextCounts counts;
    db::Database db;
    if (!db.openFile(file, db::Database::Mode::CreateIfMissing))
        throw std::runtime_error(db.lastError());
    run(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
    run(db, db::textDatabaseSchema());
    run(db, "BEGIN");

    const auto subtitles = byVerse<std::string>(data.subtitles, [](const VerseNote& n) { return n.text; });
    const auto footnotes = byVerse<std::string>(
        data.footnotes, [](const VerseNote& n) { return footnoteText(n.sura, n.verse, n.text); });
    writeVerses(db, sample, subtitles, footnotes, progress, counts);
    report(progress, 14500);
    writeSuraTable(db, sample, companions);
    writeSubtitlesAndFootnotes(db, subtitles, footnotes, counts);
    writeFrontMatter(db, data);
    report(progress, 15000);
    writeGlossaryAndIndex(db, data, companions, counts);
    report(progress, 16000);
    writeAppendices(db, data, companions);
    writeWordGroups(db, data);
    report(progress, 16500);
    writePlainTwins(db);
    db::writeBuildIdentity(db, textIdentity(db));
    // The reader's own data last, through the same carry-over that brings a
    // working copy up to date.
    const db::CarriedOver kept = db::applyUserData(db, user);
    counts.notesKept = kept.notes;
    counts.topicRowsKept = kept.topicRows;
    counts.wordGroups = kept.wordGroups;
    run(db, "COMMIT");
    run(db, "PRAGMA journal_mode=DELETE; ANALYZE;");
    report(progress, 17500);
    return counts;
}

void writeCollectionTemplate(const fs::path& file)
{
    fs::path tmp = file;
    tmp += ".part-" + std::to_string(::getpid());
    fs::remove(tmp);
    try {
        {
            db::Database db;
            if (!db.openFile(tmp, db::Database::Mode::CreateIfMissing))
                throw std::runtime_error("cannot write " + db.lastError());
            run(db, db::collectionSchema());
        }
        fs::rename(tmp, file);
    } catch (...) {
        std::error_code ec;
        fs::remove(tmp, ec);
        throw;
    }
}

void removeStaleFiles(const fs::path& outDir, const std::string& language)
{
    // Only the names this builder gives its own temporary files, in the
    // folders it writes, and only those of processes that are gone.
    for (const auto& folder : {outDir, outDir / "Files", outDir / "Files" / language,
                               outDir / "Files" / language / "Appendices"})
        db::removeStaleTemporaries(folder, {".ttb.building-", ".part-"});
}

BuildReport buildProgramFolder(const BuildOptions& o)
{
    report(o.progress, 0);
    SampleText sample = loadSampleText(o.sampleDir);
    report(o.progress, 800);
    ProjectData data = loadProjectData(o.dataDir);
    // The introduction pages are HTML shown in the web pane like the documents.
    for (auto& p : data.frontMatter)
        if (p.number >= 8)
            p.content = embedStylesheet(p.content, data.stylesheet);
    report(o.progress, 1200);

    if (!db::isPlainLanguageName(o.language))
        throw std::runtime_error("the language must be a plain name such as English, not a path: " + o.language);
    removeStaleFiles(o.outDir, o.language);
    fs::create_directories(o.outDir / "Files" / o.language);
    const fs::path target = o.outDir / (o.language + ".ttb");

    // The earlier file stays open with its write lock held from the moment
    // its notes are read until the new file has been renamed over it: a
    // note saved meanwhile waits for the lock (or is refused with a
    // message) and then goes into the new file, never into the old one.
    db::HeldForReplacement old(target);
    const UserData& user = old.user();
    const SetAside& setAside = old.setAside();
    report(o.progress, 1600);

    // Companion documents first: their sizes go into SuraTable.
    const fs::path docs = o.outDir / "Files" / o.language;
    Companions companions;
    auto& sizes = companions.sizes;
    const std::string& css = data.stylesheet;
    // Each document's record is taken from the very bytes written.
    auto writeChecked = [&](const fs::path& file, const std::string& html, const std::string& title, int appendix) {
        writeAtomically(file, html);
        sizes.push_back({title, appendix, static_cast<long long>(html.size())});
    };
    companions.appendices = makeAppendices(sample, css);
    writeChecked(docs / "Contents.htm", contentsHtml(sample, companions.appendices, css), "Contents", 0);
    for (const auto& a : companions.appendices) {
        char name[32];
        std::snprintf(name, sizeof name, "Appendix %02d.htm", a.number);
        writeChecked(docs / "Appendices" / name, a.html, a.title, a.number);
    }
    report(o.progress, 1700);
    // The concordances, from the rows the text database will hold.
    std::vector<lookup::Row> verseRows, subtitleRows, footnoteRows;
    for (const auto& s : sample.suras)
        for (size_t v = 0; v < s.verses.size(); ++v)
            verseRows.push_back({s.number, static_cast<int>(v + 1), s.verses[v]});
    for (const auto& n : data.subtitles)
        subtitleRows.push_back({n.sura, n.verse, n.text});
    for (const auto& n : data.footnotes)
        footnoteRows.push_back({n.sura, n.verse, footnoteText(n.sura, n.verse, n.text)});
    for (auto [area, rows] : {std::pair{lookup::Area::Verses, &verseRows}, std::pair{lookup::Area::Subtitles, &subtitleRows},
                              std::pair{lookup::Area::Footnotes, &footnoteRows}}) {
        const std::string name(lookup::documentName(area));
        writeChecked(docs / (name + ".htm"), concordanceHtml(area, lookup::buildConcordance(*rows), css), name, 0);
    }
    report(o.progress, 1900);
    companions.indexLines = indexLines(data.indexTerms, sample);
    writeAtomically(docs / "index.rtf", indexRtf(companions.indexLines));
    if (!data.help.empty())
        writeAtomically(o.outDir / "Files" / "Help.htm", embedStylesheet(data.help, css));
    else if (!fs::exists(o.outDir / "Files" / "Help.htm"))
        writeAtomically(o.outDir / "Files" / "Help.htm",
                        htmlPage("Zerafin Tutorial", css, "<h1>Zerafin Tutorial</h1>\n"));
    if (!data.numbersDoc.empty())
        writeAtomically(docs / "Numbers.htm", embedStylesheet(data.numbersDoc, css));
    // Where the reader's saved numbers go.
    fs::create_directories(o.outDir / "Numbers");
    report(o.progress, 2000);

    const fs::path building = db::temporaryName(target, ".building-");
    fs::remove(building);
    TextCounts counts;
    try {
        counts = writeTextDatabase(building, sample, data, user, companions, o.progress);
        old.replaceWith(building);
    } catch (...) {
        std::error_code ec;
        fs::remove(building, ec);
        throw;
    }
    writeCollectionTemplate(o.outDir / "Files" / "Backup.mdb");
    report(o.progress, 18000);

    std::ostringstream m;
    m << "# Zerafin program data, written by zerafin-init when the first-time initialisation is complete.\n"
      << "# The start-up window reads the length of this file: 2000 bytes or more means complete.\n"
      << "language=" << o.language << "\n"
      << "database=" << target.filename().string() << " " << fs::file_size(target) << " bytes\n"
      << "suras=" << sample.suras.size() << "\n"
      << "verses=" << sample.verseCount() << "\n"
      << "verse_rows=" << counts.verseRows << "\n"
      << "subtitles=" << counts.subtitles << "\n"
      << "footnotes=" << counts.footnotes << "\n"
      << "glossary_entries=" << counts.glossary << "\n"
      << "index_entries=" << counts.indexEntries << "\n"
      << "word_groups=" << counts.wordGroups << "\n"
      << "front_matter_pages=" << data.frontMatter.size() << "\n"
      << "appendices=" << companions.appendices.size() << "\n"
      << "notes_kept=" << counts.notesKept << "\n"
      << "topic_rows_kept=" << counts.topicRowsKept << "\n";
    if (!setAside.keptAs.empty())
        m << setAside.kind << "_database_kept_as=" << setAside.keptAs << "\n";
    for (const auto& r : sizes)
        m << "document." << (r.appendix ? "Appendix " + std::to_string(r.appendix) : r.title) << "=" << r.bytes
          << " bytes\n";
    m << "backup_template=Files/Backup.mdb\n";
    std::string manifest = m.str();
    while (manifest.size() < 2000)
        manifest += "#\n";
    writeAtomically(o.outDir / "css", manifest);
    report(o.progress, kProgressMax);
    return {counts, manifest, setAside};
}

}  // namespace init
