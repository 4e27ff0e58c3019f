#include "reading/verse_format.h"

#include "db/numeric.h"
#include "reading/richtext/codepage.h"
#include "reading/richtext/rtf_reader.h"

#include <algorithm>
#include <cmath>

namespace reading {

namespace {

constexpr std::u16string_view kBreak = u"\r\n";
// However many blank lines a setting asks for, no more than this are made.
constexpr int kMaxBlankLines = 99;

// Every run of line breaks becomes one: of each run only its last break
// stays, so the formatting of the text around it is kept.
void collapseLineBreaks(richtext::RichTextDocument& pane)
{
    const std::u16string& t = pane.text16();
    std::vector<std::pair<size_t, size_t>> cuts;
    for (size_t i = 0; i + 3 < t.size();) {
        if (t.compare(i, 2, kBreak) == 0 && t.compare(i + 2, 2, kBreak) == 0) {
            size_t j = i + 2;
            while (j + 3 < t.size() && t.compare(j + 2, 2, kBreak) == 0)
                j += 2;
            cuts.emplace_back(i, j - i);
            i = j + 2;
        } else {
            ++i;
        }
    }
    for (auto it = cuts.rbegin(); it != cuts.rend(); ++it) {
        pane.select(static_cast<int>(it->first), static_cast<int>(it->second));
        pane.setSelText16({});
    }
    const std::u16string& after = pane.text16();
    if (after.size() >= 2 && after.compare(after.size() - 2, 2, kBreak) == 0) {
        pane.select(static_cast<int>(after.size() - 2), 2);
        pane.setSelText16({});
    }
}

// "fs" and twice the point size: 12.5 gives "fs25", 12.3 gives "fs24.6".
// Sizes outside what a pane can show are brought into range.
std::string sizeMark(std::string_view points)
{
    double halfPoints = 2 * db::leadingNumber(points);
    if (!std::isfinite(halfPoints) || halfPoints < richtext::kMinHalfPoints)
        halfPoints = richtext::kMinHalfPoints;
    halfPoints = std::min<double>(halfPoints, richtext::kMaxHalfPoints);
    return "fs" + db::formatNumber(halfPoints);
}

// Position of the control word "\fsNN" (not "\fsNNN").
size_t findSizeWord(const std::string& rtf, std::string_view word, size_t from = 0)
{
    for (size_t p = rtf.find(word, from); p != std::string::npos; p = rtf.find(word, p + 1)) {
        const size_t end = p + word.size();
        if (end >= rtf.size() || !(rtf[end] >= '0' && rtf[end] <= '9'))
            return p;
    }
    return std::string::npos;
}

int wholeCount(std::string_view text)
{
    const double v = db::leadingNumber(text);
    if (!(v >= 1))
        return 0;
    return static_cast<int>(std::min<double>(std::floor(v), kMaxBlankLines));
}

// A font name as it may stand in a font table.
std::string fontTableName(std::string_view name)
{
    std::string out;
    for (char c : name) {
        if (c == ';')
            continue;
        if (c == '\\' || c == '{' || c == '}')
            out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

std::string replaceAll(std::string text, std::string_view what, std::string_view with)
{
    if (what.empty())
        return text;
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, from)) {
        out.append(text, from, p - from);
        out += with;
        from = p + what.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

ProcessResult processForData(std::string_view words, const ProcessOptions& options, int verse)
{
    richtext::RichTextDocument pane(richtext::Font{"Times New Roman", 0, "froman"});
    pane.setRtf(words);
    return processForData(pane, options, verse);
}

ProcessResult processForData(richtext::RichTextDocument& pane, const ProcessOptions& options, int verse)
{
    ProcessResult result;
    collapseLineBreaks(pane);
    std::string rtf = pane.rtf();

    // The subtitle on one line: its paragraph breaks become spaces and one
    // break separates it from the verse number.
    if (options.checkSb1Line) {
        const size_t p = rtf.find('[');
        if (p != std::string::npos)
            rtf = replaceAll(rtf.substr(0, p), "\\par ", " ") + " \\par" + rtf.substr(p);
    }

    // The footnote part begins at the first footnote size mark: blank lines
    // go in after it, or the footnotes are cut off there. This is done on
    // the stored size marks, before any of them is changed, so that a verse
    // or subtitle size that happens to be 10 points is never taken for a
    // footnote.
    const bool footnotesInline = !options.dispFN || verse == 0;
    bool footnoteSizes = false;
    if (footnotesInline) {
        if (!options.fnSize.empty()) {
            footnoteSizes = true;
            const size_t p = findSizeWord(rtf, "\\fs20");
            if (verse != 0 && p != std::string::npos) {
                std::string breaks;
                for (int i = wholeCount(options.txtFspaces); i > 0; --i)
                    breaks += " \\par";
                rtf.insert(p + 5, breaks);
            }
        }
    } else {
        const size_t p = findSizeWord(rtf, "\\fs20");
        if (p != std::string::npos)
            rtf.resize(p + 1);
    }

    // All size marks in one pass, so that no new mark is changed again.
    result.vwSize = options.subSize.empty() ? std::string("10.5") : options.subSize;
    const std::string subtitleMark = options.subSize.empty() ? std::string("fs21") : sizeMark(options.subSize);
    const std::string verseMark = sizeMark(result.vwSize);
    const std::string footnoteMark = footnoteSizes ? sizeMark(options.fnSize) : std::string("fs20");
    std::string sized;
    sized.reserve(rtf.size() + 32);
    size_t from = 0;
    for (size_t p = rtf.find("\\fs2", from); p != std::string::npos; p = rtf.find("\\fs2", from)) {
        const size_t end = p + 5;
        const bool digitAfter = end < rtf.size() && rtf[end] >= '0' && rtf[end] <= '9';
        const char d = end - 1 < rtf.size() ? rtf[end - 1] : '\0';
        const std::string* mark = nullptr;
        if (!digitAfter && d == '1')
            mark = &subtitleMark;
        else if (!digitAfter && d == '4')
            mark = &verseMark;
        else if (!digitAfter && d == '0')
            mark = &footnoteMark;
        if (!mark) {
            sized.append(rtf, from, p + 4 - from);
            from = p + 4;
            continue;
        }
        sized.append(rtf, from, p + 1 - from);
        sized += *mark;
        from = end;
    }
    sized.append(rtf, from, std::string::npos);
    rtf = std::move(sized);

    // The verse number: indented by one twip, which marks the verse paragraph.
    const size_t bracket = rtf.find('[');
    if (bracket != std::string::npos)
        rtf.replace(bracket, 1, "\\li1 [");

    // The verse font replaces the stored one in the font table.
    if (!options.vwFont.empty()) {
        const size_t tableEnd = std::min(rtf.find("{\\colortbl"), rtf.size());
        rtf = replaceAll(rtf.substr(0, tableEnd), "Times New Roman", fontTableName(options.vwFont)) +
              rtf.substr(tableEnd);
    }
    result.rtf = std::move(rtf);
    return result;
}

std::optional<uint32_t> highlightColour(std::string_view name)
{
    if (name == "Yellow")
        return 65535u;
    if (name == "Red")
        return 255u;
    if (name == "Green")
        return 65280u;
    if (name == "Blue")
        return 16711680u;
    return std::nullopt;
}

std::string wordToMark(std::string_view box) { return replaceAll(std::string(box), "''", "'"); }

std::vector<uint32_t> readColorTable(std::string_view rtf)
{
    std::vector<uint32_t> list{0};
    const size_t start = rtf.find("{\\colortbl");
    if (start == std::string_view::npos)
        return list;
    size_t end = rtf.find('}', start);
    end = end == std::string_view::npos ? rtf.size() : end + 1;
    std::string_view table = rtf.substr(start, end - start);
    std::vector<std::string_view> pieces;
    for (size_t p = 0;;) {
        size_t q = table.find(';', p);
        pieces.push_back(table.substr(p, q == std::string_view::npos ? std::string_view::npos : q - p));
        if (q == std::string_view::npos)
            break;
        p = q + 1;
    }
    // Every entry between the first piece ("{\colortbl …") and the last
    // ("}") counts, an empty (automatic) one as 0, so that element k stays
    // colour-table entry k − 1.
    for (size_t i = 1; i + 1 < pieces.size(); ++i) {
        std::string_view piece = pieces[i];
        uint32_t parts[3] = {0, 0, 0};
        static constexpr std::string_view kNames[3] = {"\\red", "\\green", "\\blue"};
        for (int k = 0; k < 3; ++k) {
            size_t at = piece.find(kNames[k]);
            if (at != std::string_view::npos)
                parts[k] = static_cast<uint32_t>(
                    std::clamp(db::leadingNumber(piece.substr(at + kNames[k].size(), 4)), 0.0, 255.0));
        }
        list.push_back(parts[0] + 256 * parts[1] + 65536 * parts[2]);
    }
    return list;
}

std::vector<uint32_t> readColorTable(const richtext::RichTextDocument& pane)
{
    const auto& colors = pane.document().colors();
    std::vector<uint32_t> list{0};
    for (size_t i = 1; i < colors.size(); ++i)
        list.push_back(colors[i].automatic ? 0 : colors[i].value());
    return list;
}

int highlightText(richtext::RichTextDocument& pane, std::string_view word, uint32_t colour, bool allOccurrences)
{
    const std::u16string what = richtext::utf8ToUtf16(word);
    if (what.empty() || pane.indexOf16(what, 0) < 0)
        return 0;
    const uint16_t index = pane.colorIndex(colour);
    if (index == 0)
        return 0;  // the colour table is full
    int start = allOccurrences ? 0 : pane.selStart();
    int marked = 0;
    for (int pos = pane.indexOf16(what, start); pos >= 0; pos = pane.indexOf16(what, start)) {
        pane.setRangeHighlight(static_cast<size_t>(pos), what.size(), index);
        ++marked;
        start = pos + static_cast<int>(what.size());
        if (!allOccurrences)
            break;
    }
    pane.setSelStart(0);
    return marked;
}

}  // namespace reading
