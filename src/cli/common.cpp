#include "cli/cli.h"

#include "db/schema.h"
#include "db/working_copy.h"

#include <cstdio>
#include <system_error>

namespace cli {

int fail(const std::string& message, int code)
{
    std::fprintf(stderr, "zerafin-cli: %s\n", message.c_str());
    return code;
}

bool openTextDatabase(const Common& common, db::Database& db, db::Database::Mode mode)
{
    auto file = db::dataSourceOf(db::connectionString(common.programFolder, common.language));
    if (!common.readerFolder.empty()) {
        const auto copy = db::prepareWorkingCopy(file, common.readerFolder / file.filename());
        if (!copy.notice.empty())
            std::fprintf(stderr, "zerafin-cli: %s\n", copy.notice.c_str());
        file = copy.file;
        // Only shown, never written: the program's own file is not the reader's.
        if (copy.state == db::WorkingCopy::State::Unavailable)
            mode = db::Database::Mode::ReadOnly;
    }
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        fail("the text database " + file.string() + " does not exist; build it with zerafin-init (make run does)");
        return false;
    }
    if (std::filesystem::file_size(file, ec) == 0) {
        fail("the text database " + file.string() + " is empty; rebuild it with zerafin-init");
        return false;
    }
    if (!db.openFile(file, mode)) {
        fail("the text database " + file.string() + " cannot be read: " + db.lastError());
        return false;
    }
    if (!db.hasTable(db::table::Verses)) {
        fail("the text database " + file.string() + " has no verse table; rebuild it with zerafin-init");
        return false;
    }
    return true;
}

}  // namespace cli
