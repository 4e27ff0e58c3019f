#pragma once

#include <string>
#include <string_view>

// Splicing values into statements. Every text value that goes into SQL
// passes through one of these; numbers are spliced only after they have
// been read as numbers (db/numeric.h), so typed text never changes the
// shape of a statement.
namespace db {

// The text with every apostrophe doubled, ready to stand between the
// single quotes a statement already has around it.
std::string doubledQuotes(std::string_view text);

// The text as a complete SQL string literal: 'God''s mercy'.
std::string quoted(std::string_view text);

}  // namespace db
