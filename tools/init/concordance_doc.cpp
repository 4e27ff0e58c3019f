#include "init/concordance_doc.h"

#include "init/html_doc.h"

namespace init {

namespace {

std::string_view titleOf(lookup::Area area)
{
    switch (area) {
    case lookup::Area::Subtitles:
        return "Concordance of the Subtitles";
    case lookup::Area::Footnotes:
        return "Concordance of the Footnotes";
    default:
        return "Concordance of the Verses";
    }
}

}  // namespace

std::string concordanceHtml(lookup::Area area, const std::vector<lookup::Entry>& entries, std::string_view css)
{
    std::vector<const lookup::Entry*> listed;
    for (const auto& e : entries)
        if (lookup::hasLetter(e.key))
            listed.push_back(&e);

    std::vector<std::string> groups;
    for (const auto* e : listed) {
        std::string i = lookup::initialOf(*e);
        if (groups.empty() || groups.back() != i)
            groups.push_back(i);
    }

    std::string b;
    b.reserve(64 + listed.size() * 64);
    b += "<h1 id=\"top\">";
    b += titleOf(area);
    b += "</h1>\n<nav class=\"letters\">";
    for (const auto& g : groups)
        b += "<a href=\"#letter-" + g + "\">" + g + "</a> ";
    b += "</nav>\n<div class=\"how\"><p>Every word of the ";
    b += lookup::areaName(area);
    b += " in alphabetical order, with the number of ";
    b += area == lookup::Area::Verses ? "verses" : "verses they belong to";
    b += " it stands in and each of them as sura:verse. A word is what the search finds as a whole word "
         "with \"Ignore Special Char (Whole Words)\" ticked: the text with its punctuation "
         "(? ! \" ' . , : ; ( &amp; ) [ ] * - / \\ +) turned into spaces, cut at the spaces, letter case ignored; "
         "so \"Allah's\" is the two words \"Allah\" and \"s\". Words are shown in their most frequent spelling. ";
    b += std::to_string(listed.size());
    b += " words.</p></div>\n";

    std::string current;
    for (const auto* e : listed) {
        std::string i = lookup::initialOf(*e);
        if (i != current) {
            if (!current.empty())
                b += "</dl>\n";
            current = i;
            b += "<h2 id=\"letter-" + i + "\">" + i + " <a href=\"#top\">&#8593;</a></h2>\n<dl class=\"conc\">\n";
        }
        b += "<dt>";
        b += escapeHtml(e->word);
        b += " <span class=\"n\">(";
        b += std::to_string(e->refs.size());
        b += ")</span></dt><dd>";
        for (size_t k = 0; k < e->refs.size(); ++k) {
            if (k)
                b += ", ";
            b += std::to_string(e->refs[k].sura);
            b += ':';
            b += std::to_string(e->refs[k].verse);
        }
        b += "</dd>\n";
    }
    if (!current.empty())
        b += "</dl>\n";
    return htmlPage(titleOf(area), css, b);
}

}  // namespace init
