#include "export/verse_range.h"

#include "db/database.h"
#include "db/numeric.h"
#include "db/recordset.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace exporting {

namespace {

// Beyond every verse key (114999) on both sides; a typed number is held
// inside, so that it stays a plain decimal number in the statement.
constexpr double kKeyBound = 1e9;

}  // namespace

bool RangeBoxes::anyEmpty() const
{
    return startSura.empty() || startVerse.empty() || endSura.empty() || endVerse.empty();
}

std::string rangeKey(std::string_view sura, std::string_view verse)
{
    double key = db::leadingNumber(sura) * 1000 + db::leadingNumber(verse);
    if (std::isnan(key))
        key = 0;
    key = std::clamp(key, -kKeyBound, kKeyBound);
    // Plain decimal form, never an exponent.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", key);
    std::string text = buf;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string rangeStatement(const RangeBoxes& boxes)
{
    const std::string a = rangeKey(boxes.startSura, boxes.startVerse);
    const std::string b = rangeKey(boxes.endSura, boxes.endVerse);
    return "Select Sura,Verse from ZOVR where ((sura*1000)+verse) >= " + a + " and ((sura*1000)+verse) <= " + b +
           " order by sura, verse";
}

std::vector<db::VerseRef> rangeVerses(db::Database& db, const RangeBoxes& boxes)
{
    std::vector<db::VerseRef> verses;
    db::Recordset rs;
    if (!rs.open(rangeStatement(boxes), db))
        return verses;
    for (; !rs.eof(); rs.moveNext())
        verses.push_back({static_cast<int>(rs.field(0).toInt()), static_cast<int>(rs.field(1).toInt())});
    return verses;
}

std::string verseCountCaption(db::Database& db, std::string_view suraBox)
{
    if (suraBox.empty())
        return {};
    const auto sura = db::wholeNumber(suraBox);
    if (!sura)
        return {};
    db::Recordset rs;
    if (!rs.open("select max(verse) from zovr where sura=" + std::to_string(*sura), db) || rs.eof() ||
        rs.field(0).isNull())
        return {};
    return "Verses " + rs.field(0).toString();
}

}  // namespace exporting
