#pragma once

#include "core/utf8.h"

// The number panels count and reverse text by character, not by byte:
// Arabic letters take two bytes in UTF-8, and the division counts every
// character of the number as one digit.
namespace numbers {
using db::appendUtf8;
using db::characterCount;
using db::characterLength;
using db::decodeUtf8;
using db::encodeUtf8;
using db::isValidUtf8;
}  // namespace numbers
