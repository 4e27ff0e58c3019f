#include "db/working_copy.h"

#include "db/database.h"
#include "db/recordset.h"
#include "db/user_data.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>

namespace db {

namespace fs = std::filesystem;

namespace {

// Keeps two Zerafin programs that start at the same moment from copying or
// upgrading the same working copy at once. Without it they would still
// not lose data (the database lock sees to that), only do the work twice.
class FolderLock {
public:
    explicit FolderLock(const fs::path& file)
    {
        fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

long long count(Database& db, const std::string& sql)
{
    Recordset rs;
    if (!rs.open(sql, db) || rs.eof())
        throw std::runtime_error("cannot read back " + db.file().string() + ": " + rs.lastError());
    return rs.field(0).toInt();
}

// Copies the program's file beside the working copy and gives it the
// working copy's name only if no other program made one meanwhile.
void copyAfresh(const fs::path& programFile, const fs::path& workingFile)
{
    const fs::path tmp = temporaryName(workingFile, ".part-");
    std::error_code ec;
    fs::remove(tmp, ec);
    try {
        copyDatabase(programFile, tmp);
        if (::link(tmp.c_str(), workingFile.c_str()) != 0 && errno != EEXIST) {
            // A file system without hard links: rename, which is atomic too.
            const int err = errno;
            if (err != EPERM && err != ENOTSUP && err != EXDEV)
                throw std::runtime_error("cannot write " + workingFile.string() + ": " + std::strerror(err));
            fs::rename(tmp, workingFile);
        }
    } catch (...) {
        fs::remove(tmp, ec);
        throw;
    }
    fs::remove(tmp, ec);
}

enum class Need { Nothing, Upgrade };

Need needOf(const fs::path& programFile, const fs::path& workingFile)
{
    Database program;
    if (!program.openFile(programFile, Database::Mode::ReadOnly))
        return Need::Nothing;  // nothing better to upgrade to
    const BuildIdentity wanted = readBuildIdentity(program);
    program.close();
    if (wanted.identity.empty())
        return Need::Nothing;
    Database work;
    if (!work.openFile(workingFile, Database::Mode::ReadOnly))
        // Damaged: the upgrade sets it aside. Locked or unreadable for
        // another reason: leave it to the window to report.
        return work.lastFailureWasDamage() ? Need::Upgrade : Need::Nothing;
    if (!work.hasTable("ZOVR"))
        return Need::Upgrade;  // empty, or another program's file: replaced (foreign files are kept aside)
    const BuildIdentity have = readBuildIdentity(work);
    // A newer Zerafin made this copy: an older one does not take it back.
    if (have.identity == wanted.identity || have.format > wanted.format)
        return Need::Nothing;
    return Need::Upgrade;
}

WorkingCopy upgrade(const fs::path& programFile, const fs::path& workingFile)
{
    const fs::path tmp = temporaryName(workingFile, ".part-");
    const fs::path previousTmp = temporaryName(workingFile, ".previous-");
    fs::path previous = workingFile;
    previous += ".previous";
    std::error_code ec;
    fs::remove(tmp, ec);
    fs::remove(previousTmp, ec);
    try {
        HeldForReplacement old(workingFile);
        copyDatabase(programFile, tmp);
        {
            Database fresh;
            if (!fresh.openFile(tmp))
                throw std::runtime_error(fresh.lastError());
            Database::Transaction write(fresh);
            if (!write.active())
                throw std::runtime_error(fresh.lastError());
            applyUserData(fresh, old.user());
            // Counted again from the new file: only a complete carry-over
            // replaces the reader's copy.
            const auto& u = old.user();
            if (count(fresh, "SELECT count(*) FROM ZOVR WHERE YourNotes IS NOT NULL AND YourNotes <> ''") !=
                    static_cast<long long>(u.notes.size()) ||
                count(fresh, "SELECT (SELECT count(*) FROM ARTICLES) + (SELECT count(*) FROM ARTICLES1)") !=
                    static_cast<long long>(u.topics.size() + u.topics1.size()))
                throw std::runtime_error("the new copy does not hold every note and topic of the earlier one");
            if (!write.commit())
                throw std::runtime_error(fresh.lastError());
        }
        const bool hadEarlier = old.user().present && fs::exists(workingFile, ec);
        if (hadEarlier && ::link(workingFile.c_str(), previousTmp.c_str()) != 0)
            fs::copy_file(workingFile, previousTmp);
        old.replaceWith(tmp);
        if (hadEarlier)
            fs::rename(previousTmp, previous);
        WorkingCopy done{workingFile, WorkingCopy::State::Upgraded, {}};
        if (!old.setAside().keptAs.empty()) {
            done.state = WorkingCopy::State::Copied;
            done.notice = "Your copy of the text database, " + workingFile.string() + ", could not be used (" +
                          old.setAside().reason + "). It was kept as " + old.setAside().keptAs +
                          " and a fresh copy was made; your notes and topics in it were not carried over.";
        }
        return done;
    } catch (const std::exception& e) {
        fs::remove(tmp, ec);
        fs::remove(previousTmp, ec);
        if (!fs::exists(workingFile, ec))
            return {programFile, WorkingCopy::State::Unavailable,
                    "Zerafin could not make your copy of the text database in " + workingFile.parent_path().string() +
                        ": " + e.what() + ". Notes and topics cannot be kept until it can."};
        return {workingFile, WorkingCopy::State::KeptEarlier,
                "Zerafin could not bring your notes, topics and word groups over to its new text: " +
                    std::string(e.what()) + ". It goes on with your earlier copy, " + workingFile.string() +
                    ", unchanged; the next start tries again."};
    }
}

}  // namespace

void copyDatabase(const fs::path& from, const fs::path& to)
{
    Database source;
    if (!source.openFile(from, Database::Mode::ReadOnly))
        throw std::runtime_error(from.string() + " cannot be read: " + source.lastError());
    Database target;
    if (!target.openFile(to, Database::Mode::CreateIfMissing))
        throw std::runtime_error("cannot write " + to.string() + ": " + target.lastError());
    sqlite3_backup* backup = sqlite3_backup_init(target.handle(), "main", source.handle(), "main");
    if (!backup) {
        target.failWith(sqlite3_extended_errcode(target.handle()));
        throw std::runtime_error("cannot write " + to.string() + ": " + target.lastError());
    }
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            sqlite3_sleep(50);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        target.failWith(rc);
        throw std::runtime_error("cannot write " + to.string() + ": " + target.lastError());
    }
}

WorkingCopy prepareWorkingCopy(const fs::path& programFile, const fs::path& workingFile)
{
    std::error_code ec;
    const bool programHasText = fs::exists(programFile, ec);
    const fs::path folder = workingFile.parent_path();
    fs::create_directories(folder, ec);
    if (ec) {
        if (!programHasText)
            return {programFile, WorkingCopy::State::NoText, {}};
        return {programFile, WorkingCopy::State::Unavailable,
                "Zerafin cannot make the folder for your notes and topics, " + folder.string() + ": " + ec.message() +
                    ". It shows the text, but notes and topics cannot be kept until that folder can be made."};
    }
    fs::path lockName = folder / ("." + workingFile.filename().string() + ".lock");
    FolderLock lock(lockName);
    removeStaleTemporaries(folder, {".part-", ".previous-"});

    if (!fs::exists(workingFile, ec)) {
        if (!programHasText)
            return {programFile, WorkingCopy::State::NoText, {}};
        try {
            copyAfresh(programFile, workingFile);
        } catch (const std::exception& e) {
            return {programFile, WorkingCopy::State::Unavailable,
                    "Zerafin could not make your copy of the text database in " + folder.string() + ": " + e.what() +
                        ". It shows the text, but notes and topics cannot be kept until it can."};
        }
        return {workingFile, WorkingCopy::State::Copied, {}};
    }
    if (!programHasText || needOf(programFile, workingFile) == Need::Nothing)
        return {workingFile, WorkingCopy::State::Current, {}};
    return upgrade(programFile, workingFile);
}

}  // namespace db
