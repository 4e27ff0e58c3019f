#pragma once

#include "reading/richtext/rich_text_document.h"

#include <string>
#include <vector>

namespace db {
class Database;
}

// The reading pane as a result list shows it (a verse range, a search
// result, a topic), made without a window: the command line prints it and
// the tests compare it with the window's.
namespace exporting {

// Renders every entry ("2:255", or a result row's text) with the default
// display settings into `msg`, after `header` (centred and bold, as a
// search heads its results) when one is given.
void renderResultEntries(db::Database& db, const std::vector<std::string>& entries, richtext::RichTextDocument& msg,
                         const std::string& header = {});

}  // namespace exporting
