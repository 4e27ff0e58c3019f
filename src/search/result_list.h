#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The result list: the category box filters the hidden list of all hits
// into the verse list, pre-selects the first rows and heads the reading
// pane with the search text and the count.
namespace search {

// The items of the category box, in their order.
inline constexpr std::array<std::string_view, 10> kCategories = {
    "Verses", "Subtitles", "Footnotes", "Appendices", "Front Matter", "Glossary", "Index", "Titles", "Topics", "All"};
// The box shows this before any search and every search sets it.
inline constexpr std::string_view kCategoryAfterSearch = "All";
inline constexpr std::string_view kCategoryInitial = "Verses";

// Rows of a category that are selected (and so displayed) at once.
inline constexpr int kPreselectedRows = 51;

struct FilteredList {
    std::vector<std::string> items;  // the verse list, in result order
    int resultPicked = 0;            // rows selected: the first min(51, count)
};

// What cmbList_Click puts into the verse list for the chosen category.
FilteredList filterResults(const std::vector<std::string>& rows, std::string_view category);

// The number of rows each category would list.
int categoryCount(const std::vector<std::string>& rows, std::string_view category);

// The centred bold header written above the results.
std::string resultHeader(std::string_view searchText, std::size_t count);

}  // namespace search
