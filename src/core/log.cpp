#include "core/log.h"

#include <QLoggingCategory>

#include <cstdarg>
#include <cstdio>

Q_LOGGING_CATEGORY(lcDb, "zerafin.db", QtWarningMsg)

namespace db {

void logDb(const char* format, ...)
{
    if (!lcDb().isDebugEnabled())
        return;
    char buf[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    qCDebug(lcDb, "%s", buf);
}

}  // namespace db
