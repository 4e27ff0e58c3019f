#pragma once

#include <string>
#include <string_view>

// Text for an HTML page: & < > " escaped, so it reads the same in element
// text and in attribute values. UTF-8 passes through unchanged.
std::string escapeHtml(std::string_view text);
