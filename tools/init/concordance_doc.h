#pragma once

#include "lookup/concordance.h"

#include <string>
#include <string_view>
#include <vector>

namespace init {

// The concordance document of an area: an alphabet bar, then per initial
// letter every word with its count of verses and all its references in
// order. Words without a letter (bare numbers) are left out.
std::string concordanceHtml(lookup::Area area, const std::vector<lookup::Entry>& entries, std::string_view css);

}  // namespace init
