#include "db/database.h"

#include "core/log.h"
#include "db/plain_text.h"
#include "core/utf8.h"
#include "db/schema.h"

#include <sqlite3.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace db {

bool isPlainLanguageName(std::string_view language)
{
    if (language.empty() || language == "." || language == "..")
        return false;
    return language.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string connectionString(const std::filesystem::path& programFolder, std::string_view language)
{
    std::string s(kConnectionPrefix);
    s += (programFolder / (std::string(language) + ".ttb")).string();
    s += kPasswordSuffix;
    return s;
}

std::filesystem::path dataSourceOf(std::string_view cs)
{
    constexpr std::string_view key = "data source=";
    std::string lower(cs);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto at = lower.find(key);
    if (at == std::string::npos)
        return {};
    auto begin = at + key.size();
    auto end = cs.find(';', begin);
    std::string_view file = cs.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
    return std::filesystem::path(std::string(file));
}

// ---------------------------------------------------------------- instr

namespace {

inline unsigned char foldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

bool isAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

// Simple case folding for the scripts a note is likely to use: Latin
// (with Latin-1 and Extended-A), Greek and Cyrillic.
char32_t foldChar(char32_t c)
{
    if (c < 0x80)
        return foldAscii(static_cast<unsigned char>(c));
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 32;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        bool oddLower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (oddLower)
            return (c % 2 == 1) ? c + 1 : c;
        return (c % 2 == 0) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

// Byte offset of the character with the given 0-based index (or npos).
size_t byteOffsetOfChar(std::string_view s, long long index)
{
    size_t i = 0;
    long long n = 0;
    while (i < s.size() && n < index) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
            ++i;
        ++n;
    }
    return n == index ? i : std::string_view::npos;
}

long long charCount(std::string_view s)
{
    long long n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

thread_local std::string tlsFolded;

}  // namespace

long long instrPosition(long long start, std::string_view text, std::string_view word, int mode)
{
    if (start < 1)
        return 0;
    if (word.empty())
        return start;
    size_t from = byteOffsetOfChar(text, start - 1);
    if (from == std::string_view::npos || from >= text.size())
        return 0;
    bool ignoreCase = mode != 0;
    if (!ignoreCase) {
        size_t at = text.find(word, from);
        return at == std::string_view::npos ? 0 : charCount(text.substr(0, at)) + 1;
    }
    if (isAscii(word)) {
        // A plain-ASCII word can only match ASCII bytes, so folding the
        // ASCII letters of the text is enough.
        std::string foldedWord(word);
        for (char& c : foldedWord)
            c = static_cast<char>(foldAscii(static_cast<unsigned char>(c)));
        std::string& buf = tlsFolded;
        buf.assign(text.substr(from));
        for (char& c : buf)
            c = static_cast<char>(foldAscii(static_cast<unsigned char>(c)));
        size_t at = buf.find(foldedWord);
        if (at == std::string::npos)
            return 0;
        return charCount(text.substr(0, from + at)) + 1;
    }
    std::u32string t = decodeUtf8(text.substr(from));
    std::u32string w = decodeUtf8(word);
    for (auto& c : t)
        c = foldChar(c);
    for (auto& c : w)
        c = foldChar(c);
    size_t at = t.find(w);
    if (at == std::u32string::npos)
        return 0;
    return start + static_cast<long long>(at);
}

std::string foldCase(std::string_view text)
{
    if (isAscii(text)) {
        std::string out(text);
        for (char& c : out)
            c = static_cast<char>(foldAscii(static_cast<unsigned char>(c)));
        return out;
    }
    std::u32string t = decodeUtf8(text);
    for (auto& c : t)
        c = foldChar(c);
    return encodeUtf8(t);
}

namespace {

void sqlInstr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc != 4)
        return;
    for (int i = 0; i < 3; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    long long start = sqlite3_value_int64(argv[0]);
    int mode = sqlite3_value_type(argv[3]) == SQLITE_NULL ? 0 : sqlite3_value_int(argv[3]);
    const char* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    int tn = sqlite3_value_bytes(argv[1]);
    const char* w = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
    int wn = sqlite3_value_bytes(argv[2]);
    std::string_view text(t ? t : "", t ? static_cast<size_t>(tn) : 0);
    std::string_view word(w ? w : "", w ? static_cast<size_t>(wn) : 0);
    sqlite3_result_int64(ctx, instrPosition(start, text, word, mode));
}

void sqlPlain(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const char* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    std::string out = plainSearchForm(std::string_view(t ? t : "", static_cast<size_t>(sqlite3_value_bytes(argv[0]))));
    sqlite3_result_text(ctx, out.data(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

}  // namespace

bool registerFunctions(sqlite3* handle)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    return sqlite3_create_function_v2(handle, "instr", 4, flags, nullptr, sqlInstr, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_function_v2(handle, "zf_plain", 1, flags, nullptr, sqlPlain, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// ---------------------------------------------------------------- Database

namespace {

std::atomic<int> gBusyTimeoutMs{kDefaultBusyTimeoutMs};

struct FileId {
    unsigned long long device = 0, inode = 0;
};

std::optional<FileId> fileIdOf(const std::filesystem::path& file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileId{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

bool isLock(int code)
{
    const int primary = code & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// Opens and checks one handle; on failure `code` and `error` say why.
sqlite3* openHandle(const std::filesystem::path& file, Database::Mode mode, int& code, std::string& error)
{
    int flags = (mode == Database::Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (mode == Database::Mode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    sqlite3* handle = nullptr;
    code = sqlite3_open_v2(file.c_str(), &handle, flags, nullptr);
    if (code != SQLITE_OK) {
        code = handle ? sqlite3_extended_errcode(handle) : code;
        error = file.string() + ": " + (handle ? describeFailure(handle, code) : std::string("cannot open"));
        sqlite3_close(handle);
        return nullptr;
    }
    sqlite3_extended_result_codes(handle, 1);
    // Before anything reads the file: a program holding a lock is waited
    // for, and not mistaken for a file that cannot be read.
    sqlite3_busy_timeout(handle, gBusyTimeoutMs.load());
    // SQLite reads the header lazily; ask for the schema now so that a file
    // that is not a database is refused here and not at the first command.
    code = sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        code = sqlite3_extended_errcode(handle);
        error = file.string() + ": " + describeFailure(handle, code);
        sqlite3_close(handle);
        return nullptr;
    }
    registerFunctions(handle);
    return handle;
}

}  // namespace

void setBusyTimeoutMs(int ms) { gBusyTimeoutMs = ms; }
int busyTimeoutMs() { return gBusyTimeoutMs.load(); }

std::string describeFailure(sqlite3* handle, int code)
{
    const int primary = code & 0xFF;
    if (isLock(code))
        return "the file is locked by another program (waited " +
               std::to_string((gBusyTimeoutMs.load() + 999) / 1000) + " s for it)";
    if (code == SQLITE_READONLY_DBMOVED)
        return "the file was moved, deleted or replaced while it was open";
    std::string why = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code);
    const int err = handle ? sqlite3_system_errno(handle) : 0;
    const bool systemFailure = primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN ||
                               primary == SQLITE_READONLY || primary == SQLITE_PERM;
    if (systemFailure && err != 0)
        why += std::string(" (") + std::strerror(err) + ")";
    return why;
}

Database::~Database() { close(); }

Database::Database(Database&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), file_(std::move(other.file_)), mode_(other.mode_),
      device_(other.device_), inode_(other.inode_), error_(std::move(other.error_)), code_(other.code_)
{
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        db_ = std::exchange(other.db_, nullptr);
        file_ = std::move(other.file_);
        mode_ = other.mode_;
        device_ = other.device_;
        inode_ = other.inode_;
        error_ = std::move(other.error_);
        code_ = other.code_;
    }
    return *this;
}

void Database::setError(std::string message, int code) const
{
    error_ = std::move(message);
    code_ = code;
    logDb("%s", error_.c_str());
}

bool Database::failWith(int code, std::string_view sql) const
{
    error_ = describeFailure(db_, code);
    code_ = code;
    if (sql.empty())
        logDb("%s", error_.c_str());
    else
        logDb("%s in: %.*s", error_.c_str(), static_cast<int>(std::min<size_t>(sql.size(), 200)), sql.data());
    return false;
}

bool Database::lastFailureWasLock() const { return isLock(code_); }

bool Database::lastFailureWasDamage() const
{
    const int primary = code_ & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool Database::open(std::string_view cs)
{
    auto file = dataSourceOf(cs);
    if (file.empty()) {
        close();
        setError("the connection string names no Data Source");
        return false;
    }
    return openFile(file, Mode::Existing);
}

bool Database::openFile(const std::filesystem::path& file, Mode mode)
{
    close();
    file_ = file;
    mode_ = mode;
    device_ = inode_ = 0;
    std::error_code ec;
    if (mode != Mode::CreateIfMissing && !std::filesystem::is_regular_file(file, ec)) {
        setError("no database file at " + file.string(), SQLITE_CANTOPEN);
        return false;
    }
    int code = 0;
    std::string error;
    sqlite3* handle = openHandle(file, mode, code, error);
    if (!handle) {
        setError(error, code);
        return false;
    }
    // Files made before carry a notes trigger other SQLite tools cannot run.
    if (mode != Mode::ReadOnly)
        upgradeNotesTwin(handle);
    db_ = handle;
    if (auto id = fileIdOf(file)) {
        device_ = id->device;
        inode_ = id->inode;
    }
    error_.clear();
    code_ = 0;
    return true;
}

void Database::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool Database::fileReplaced() const
{
    if (!db_ || inode_ == 0)
        return false;
    auto now = fileIdOf(file_);
    return now && (now->device != device_ || now->inode != inode_);
}

bool Database::reopen()
{
    // The new handle is opened first: if it cannot be, the old one stays.
    int code = 0;
    std::string error;
    sqlite3* handle = openHandle(file_, mode_ == Mode::ReadOnly ? Mode::ReadOnly : Mode::Existing, code, error);
    if (!handle) {
        setError(error, code);
        return false;
    }
    sqlite3_close_v2(db_);
    db_ = handle;
    auto id = fileIdOf(file_);
    device_ = id ? id->device : 0;
    inode_ = id ? id->inode : 0;
    logDb("%s was replaced; reopened it", file_.c_str());
    return true;
}

bool Database::followReplacedFile()
{
    if (!db_)
        return false;
    if (!sqlite3_get_autocommit(db_) || !fileReplaced())
        return true;
    return reopen();
}

bool Database::execute(std::string_view sql)
{
    if (!db_) {
        setError("the database is not open");
        return false;
    }
    std::string text(sql);
    for (int attempt = 0;; ++attempt) {
        const bool outsideTransaction = sqlite3_get_autocommit(db_) != 0;
        if (outsideTransaction && !followReplacedFile())
            return false;
        const long long changesBefore = sqlite3_total_changes64(db_);
        if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK)
            return true;
        const int code = sqlite3_extended_errcode(db_);
        // A write that raced a rebuild reached the old file, which SQLite
        // refuses. When nothing of the text was written before that, it is
        // safe to run it again on the new file.
        const bool nothingWritten = sqlite3_total_changes64(db_) == changesBefore;
        if (code == SQLITE_READONLY_DBMOVED && outsideTransaction && nothingWritten && attempt == 0 && fileReplaced() &&
            reopen())
            continue;
        return failWith(code, text);
    }
}

long long Database::changes() const { return db_ ? sqlite3_changes64(db_) : 0; }

bool Database::hasTable(std::string_view name) const
{
    if (!db_)
        return false;
    sqlite3_stmt* st = nullptr;
    bool found = false;
    if (sqlite3_prepare_v2(db_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE", -1, &st,
                           nullptr) == SQLITE_OK) {
        sqlite3_bind_text(st, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        found = sqlite3_step(st) == SQLITE_ROW;
    }
    sqlite3_finalize(st);
    return found;
}

Database::Transaction::Transaction(Database& db) : db_(db)
{
    active_ = db_.execute("BEGIN IMMEDIATE");
    // The write lock is held now; if a rebuild renamed a new file over this
    // one before letting go of it, write into the new file instead.
    if (active_ && db_.fileReplaced()) {
        db_.execute("ROLLBACK");
        active_ = db_.followReplacedFile() && db_.execute("BEGIN IMMEDIATE");
    }
}

Database::Transaction::~Transaction()
{
    if (active_)
        db_.execute("ROLLBACK");
}

bool Database::Transaction::commit()
{
    if (!active_)
        return false;
    active_ = false;
    if (db_.execute("COMMIT"))
        return true;
    // Keep the reason the commit failed, not that of the rollback.
    const std::string why = db_.lastError();
    const int code = db_.lastCode();
    db_.execute("ROLLBACK");
    db_.setError(why, code);
    return false;
}

}  // namespace db
