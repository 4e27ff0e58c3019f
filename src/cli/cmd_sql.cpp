#include "cli/cli.h"

#include "db/recordset.h"

#include <cstdio>

namespace cli {

int cmdSql(const Common& common, const Args& args)
{
    if (args.size() != 1)
        return fail("usage: zerafin-cli sql \"STATEMENT\"", 2);
    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    db::Recordset rs;
    if (!rs.open(args[0], db))
        return fail(rs.lastError());
    for (; !rs.eof(); rs.moveNext()) {
        std::string line;
        for (int i = 0; i < rs.fieldCount(); ++i) {
            if (i)
                line += '\t';
            line += rs.field(i).toString();
        }
        std::puts(line.c_str());
    }
    return 0;
}

}  // namespace cli
