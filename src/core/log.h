#pragma once

// Failures that a command skips are logged under the "zerafin.db"
// category, silent unless QT_LOGGING_RULES turns it on.
namespace db {
void logDb(const char* format, ...) __attribute__((format(printf, 1, 2)));
}
