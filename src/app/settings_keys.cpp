#include "app/settings_keys.h"

#include "db/numeric.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace settings {

const std::array<Key, kKeyCount>& keys()
{
    static const std::array<Key, kKeyCount> table = {{
        {"txtSuraNumber.text", "txtSuraNumber", Kind::Text},
        {"txtVerseNumber.text", "txtVerseNumber", Kind::Text},
        {"cmbAutoScroll.listindex", "cmbAutoScroll", Kind::ListIndex},
        {"txtAutoScroll.text", "txtAutoScroll", Kind::Text},
        {"txtStartSura.text", "txtStartSura", Kind::Text},
        {"txtStartVerse.text", "txtStartVerse", Kind::Text},
        {"txtEndSura.text", "txtEndSura", Kind::Text},
        {"txtEndVerse.text", "txtEndVerse", Kind::Text},
        {"VWFont.text", "VWFont", Kind::Text},
        {"subSize.text", "subSize", Kind::Text},
        {"FNSize.text", "FNSize", Kind::Text},
        {"YNSize.text", "YNSize", Kind::Text},
        {"cboWord.listindex", "cboWord", Kind::ListIndex},
        {"txtNV.text", "txtNV", Kind::Text},
        {"txtSpaces.text", "txtSpaces", Kind::Text},
        {"txtFSpaces.text", "txtFspaces", Kind::Text},
        {"dispFN.value", "dispFN", Kind::Check},
        {"checkSb1Line.value", "checkSb1Line", Kind::Check},
        {"seekrefuge.value", "seekrefuge", Kind::Check},
        {"txtSearch.text", "txtSearch", Kind::Text},
        {"Areas(0).value", "Areas_0", Kind::Check},
        {"Areas(1).value", "Areas_1", Kind::Check},
        {"Areas(2).value", "Areas_2", Kind::Check},
        {"Areas(3).value", "Areas_3", Kind::Check},
        {"Areas(4).value", "Areas_4", Kind::Check},
        {"Areas(5).value", "Areas_5", Kind::Check},
        {"Areas(6).value", "Areas_6", Kind::Check},
        {"Areas(7).value", "Areas_7", Kind::Check},
        {"Areas(8).value", "Areas_8", Kind::Check},
        {"op(0).value", "Op_0", Kind::Option},
        {"op(1).value", "Op_1", Kind::Option},
        {"op(2).value", "Op_2", Kind::Option},
        {"txtSuraStart.text", "txtSuraStart", Kind::Text},
        {"txtSuraEnd.text", "txtSuraEnd", Kind::Text},
        {"txtSuras.text", "txtSuras", Kind::Text},
        {"opOrder(0).value", "opOrder_0", Kind::Option},
        {"opOrder(1).value", "opOrder_1", Kind::Option},
        {"check4.value", "Check4", Kind::Check},
        {"txtVD.text", "txtVD", Kind::Text},
        {"cShowFirst.value", "cShowFirst", Kind::Check},
        {"check5.value", "Check5", Kind::Check},
        {"check1.value", "Check1", Kind::Check},
        {"check2.value", "Check2", Kind::Check},
        {"check3.value", "Check3", Kind::Check},
    }};
    return table;
}

std::string checkText(int state) { return std::to_string(state); }

std::string optionText(bool on) { return on ? "True" : "False"; }

std::optional<int> wholeValue(std::string_view text)
{
    const auto number = db::parseNumber(text);
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    if (*number < -32768.5 || *number > 32767.5)
        return std::nullopt;
    const long long whole = db::roundHalfEven(*number);
    if (whole < -32768 || whole > 32767)
        return std::nullopt;
    return static_cast<int>(whole);
}

std::optional<int> checkValue(std::string_view text)
{
    const auto v = wholeValue(text);
    if (!v || *v < 0 || *v > 2)
        return std::nullopt;
    return v;
}

std::optional<bool> optionValue(std::string_view text)
{
    std::string t(db::trimBlanks(text));
    std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (t == "true")
        return true;
    if (t == "false")
        return false;
    const auto number = db::parseNumber(t);
    if (!number)
        return std::nullopt;
    return *number != 0.0;
}

}  // namespace settings
