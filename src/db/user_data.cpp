#include "db/user_data.h"

#include "db/database.h"
#include "db/recordset.h"
#include "db/verse_ref.h"

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <map>
#include <stdexcept>
#include <unistd.h>

namespace db {

namespace fs = std::filesystem;

namespace {

void run(Database& db, const std::string& sql)
{
    if (!db.execute(sql))
        throw std::runtime_error("cannot write " + db.file().string() + ": " + db.lastError());
}

bool holdsTables(Database& db)
{
    Recordset rs;
    return rs.open("SELECT count(*) FROM sqlite_master WHERE type='table'", db) && rs.field(0).toInt() > 0;
}

bool processGone(const std::string& pidText)
{
    if (pidText.empty() || pidText.size() > 9 || pidText.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long pid = std::stol(pidText);
    return pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

RowWriter::RowWriter(Database& db, const std::string& sql) : db_(db)
{
    if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st_, nullptr) != SQLITE_OK) {
        db.failWith(sqlite3_extended_errcode(db.handle()), sql);
        throw std::runtime_error("cannot write " + db.file().string() + ": " + db.lastError());
    }
}

RowWriter::~RowWriter() { sqlite3_finalize(st_); }

long long RowWriter::row(const std::vector<Value>& values)
{
    int i = 1;
    for (const auto& v : values)
        bindValue(st_, i++, v);
    if (sqlite3_step(st_) != SQLITE_DONE) {
        db_.failWith(sqlite3_extended_errcode(db_.handle()));
        sqlite3_reset(st_);
        throw std::runtime_error("cannot write " + db_.file().string() + ": " + db_.lastError());
    }
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
    return sqlite3_changes(db_.handle());
}

UserData readUserData(const fs::path& file)
{
    if (!fs::exists(file))
        return {};
    Database db;
    if (!db.openFile(file))
        throw std::runtime_error(db.lastError());
    return readUserData(db);
}

UserData readUserData(Database& db)
{
    UserData u;
    const fs::path& file = db.file();
    u.present = true;
    Recordset rs;
    if (db.hasTable("ZOVR")) {
        if (!rs.open("SELECT Sura, Verse, YourNotes FROM ZOVR WHERE YourNotes IS NOT NULL AND YourNotes <> '' "
                     "ORDER BY Sura, Verse",
                     db))
            throw std::runtime_error("cannot read the notes of " + file.string() + ": " + rs.lastError());
        for (; !rs.eof(); rs.moveNext())
            u.notes.push_back({static_cast<int>(rs.field(0).toInt()), static_cast<int>(rs.field(1).toInt()),
                               rs.field(2).toString()});
    }
    auto readTopics = [&](const char* table, std::vector<UserData::TopicRow>& out) {
        if (!db.hasTable(table))
            return;
        if (!rs.open(std::string("SELECT ARTICLES, SURA, VERSE, WORDS FROM ") + table + " ORDER BY rowid", db))
            throw std::runtime_error(std::string("cannot read the topics of ") + file.string() + ": " + rs.lastError());
        for (; !rs.eof(); rs.moveNext())
            out.push_back({rs.field(0), rs.field(1), rs.field(2), rs.field(3)});
    };
    readTopics("ARTICLES", u.topics);
    readTopics("ARTICLES1", u.topics1);
    if (db.hasTable("SIMWORDS")) {
        u.hasWordGroups = true;
        if (!rs.open("SELECT * FROM SIMWORDS ORDER BY rowid", db))
            throw std::runtime_error("cannot read the word groups of " + file.string() + ": " + rs.lastError());
        for (; !rs.eof(); rs.moveNext()) {
            std::vector<Value> row;
            for (int i = 0; i < 10; ++i)
                row.push_back(i < rs.fieldCount() ? rs.field(i) : Value(""));
            u.wordGroups.push_back(std::move(row));
        }
    }
    return u;
}

CarriedOver applyUserData(Database& db, const UserData& user)
{
    CarriedOver done;
    // What the new file already holds of anybody's is not the reader's:
    // the reader's own data replaces it whole.
    run(db, "UPDATE ZOVR SET YourNotes = '' WHERE YourNotes IS NOT NULL AND YourNotes <> ''");
    {
        RowWriter note(db, "UPDATE ZOVR SET YourNotes = ? WHERE Sura = ? AND Verse = ?");
        for (const auto& n : user.notes) {
            if (note.row({n.text, n.sura, n.verse}) != 1)
                throw std::runtime_error("a note of the earlier text database belongs to " +
                                         VerseRef{n.sura, n.verse}.display() +
                                         ", which the new text does not have; nothing was replaced");
            ++done.notes;
        }
    }
    run(db, "DELETE FROM ARTICLES; DELETE FROM ARTICLES1;");
    {
        RowWriter t(db, "INSERT INTO ARTICLES (ARTICLES, SURA, VERSE, WORDS) VALUES (?,?,?,?)");
        for (const auto& row : user.topics)
            t.row(row);
        RowWriter t1(db, "INSERT INTO ARTICLES1 (ARTICLES, SURA, VERSE, WORDS) VALUES (?,?,?,?)");
        for (const auto& row : user.topics1)
            t1.row(row);
        done.topicRows = static_cast<int>(user.topics.size() + user.topics1.size());
    }
    if (user.hasWordGroups) {
        run(db, "DELETE FROM SIMWORDS");
        RowWriter groups(db, "INSERT INTO SIMWORDS VALUES (?,?,?,?,?,?,?,?,?,?)");
        for (const auto& row : user.wordGroups)
            groups.row(row);
    }
    Recordset rs;
    if (rs.open("SELECT count(*) FROM SIMWORDS", db) && !rs.eof())
        done.wordGroups = static_cast<int>(rs.field(0).toInt());
    return done;
}

BuildIdentity readBuildIdentity(Database& db)
{
    BuildIdentity id;
    if (!db.hasTable("ZerafinBuild"))
        return id;
    Recordset rs;
    if (rs.open("SELECT Identity, Format FROM ZerafinBuild", db) && !rs.eof()) {
        id.identity = rs.field(0).toString();
        id.format = static_cast<int>(rs.field(1).toInt());
    }
    return id;
}

void writeBuildIdentity(Database& db, const std::string& identity)
{
    run(db, "CREATE TABLE IF NOT EXISTS ZerafinBuild (Identity TEXT, Format INTEGER); DELETE FROM ZerafinBuild;");
    RowWriter w(db, "INSERT INTO ZerafinBuild (Identity, Format) VALUES (?, ?)");
    w.row({identity, kTextDatabaseFormat});
}

SetAside keepAside(const fs::path& target, const std::string& kind, const std::string& why)
{
    const auto stamp =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    fs::path aside = target;
    aside += "." + kind + "-" + std::to_string(stamp);
    for (int n = 2; fs::exists(aside); ++n) {
        aside = target;
        aside += "." + kind + "-" + std::to_string(stamp) + "-" + std::to_string(n);
    }
    fs::rename(target, aside);
    return {kind, aside.string(), why};
}

struct HeldForReplacement::Held {
    Database db;
    std::optional<Database::Transaction> lock;
};

HeldForReplacement::HeldForReplacement(const fs::path& target) : target_(target), held_(std::make_unique<Held>())
{
    std::error_code ec;
    if (!fs::exists(target, ec))
        return;
    const std::string name = target.filename().string();
    Database& old = held_->db;
    if (!old.openFile(target)) {
        if (!old.lastFailureWasDamage())
            throw std::runtime_error(name + " cannot be opened: " + old.lastError() + "; nothing was changed");
        setAside_ = keepAside(target, "unreadable", old.lastError());
        return;
    }
    if (!holdsTables(old))
        return;  // an empty database holds nothing of the reader's
    if (!old.hasTable("ZOVR")) {
        // Some other program's database under our name: keep it.
        old.close();
        setAside_ = keepAside(target, "foreign", "it is an SQLite database but not a text database");
        return;
    }
    held_->lock.emplace(old);
    if (!held_->lock->active())
        throw std::runtime_error(name + " cannot be locked for the rebuild: " + old.lastError() +
                                 "; nothing was changed");
    try {
        user_ = readUserData(old);
        identity_ = readBuildIdentity(old);
    } catch (const std::exception& e) {
        if (!old.lastFailureWasDamage())
            throw std::runtime_error(std::string(e.what()) + "; nothing was changed");
        held_->lock.reset();
        old.close();
        user_ = {};
        setAside_ = keepAside(target, "unreadable", e.what());
    }
}

HeldForReplacement::~HeldForReplacement() = default;

void HeldForReplacement::replaceWith(const fs::path& replacement)
{
    fs::rename(replacement, target_);
    // Writers waiting for the lock now find the new file in place.
    held_->lock.reset();
    held_->db.close();
}

void removeStaleTemporaries(const fs::path& folder, const std::vector<std::string>& markers)
{
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        for (const std::string& marker : markers) {
            const auto at = name.rfind(marker);
            if (at == std::string::npos || !processGone(name.substr(at + marker.size())))
                continue;
            std::error_code removeError;
            if (e.is_regular_file(removeError))
                fs::remove(e.path(), removeError);
        }
    }
}

fs::path temporaryName(const fs::path& file, const std::string& marker)
{
    fs::path tmp = file;
    tmp += marker + std::to_string(::getpid());
    return tmp;
}

}  // namespace db
