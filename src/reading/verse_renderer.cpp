#include "reading/verse_renderer.h"

#include "db/database.h"
#include "db/recordset.h"
#include "core/log.h"
#include "db/numeric.h"
#include "db/schema.h"
#include "reading/richtext/codepage.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/verse_format.h"

#include <cmath>

namespace reading {

namespace {

constexpr std::string_view kRtfStart = "{\\rtf";
constexpr size_t kResultTextLength = 190;
// However many line breaks a setting asks for between verses, no more
// than this are inserted.
constexpr int kMaxLineBreaks = 99;

// The number of passes of a loop "for r = n to 1": whole passes of n.
int passes(double n, int cap)
{
    if (!(n >= 1))
        return 0;
    return static_cast<int>(std::min<double>(std::floor(n), cap));
}

std::string lineBreaks(int count)
{
    std::string s;
    s.reserve(static_cast<size_t>(count) * 2);
    for (int i = 0; i < count; ++i)
        s += "\r\n";
    return s;
}

// The verse number at the start of a result entry's text after its colon:
// "255" of "2:255" (anything after the digits is ignored).
std::optional<long long> leadingVerse(std::string_view text)
{
    text = db::trimBlanks(text);
    size_t n = 0;
    while (n < text.size() && n < 9 && text[n] >= '0' && text[n] <= '9')
        ++n;
    if (n == 0)
        return std::nullopt;
    return db::wholeNumber(text.substr(0, n));
}

}  // namespace

std::string resultEntryText(std::string_view entry)
{
    static constexpr std::pair<std::string_view, std::string_view> kPrefixes[] = {
        {"TL.", "Title Search: "},      {"AP.", "Appendix Search. # "},     {"IN.", "Index Search: "},
        {"GL.", "Glossary Search: "},   {"FM.", "Front Matter Search: "},
    };
    const std::u16string e = richtext::utf8ToUtf16(entry);
    const std::u16string head = e.substr(0, 3);
    std::string out = richtext::utf16ToUtf8(head);
    for (const auto& [prefix, caption] : kPrefixes)
        if (out == prefix)
            out = caption;
    std::u16string rest = e.size() > 3 ? e.substr(3, kResultTextLength) : std::u16string();
    // Never half a surrogate pair at the cut.
    if (!rest.empty() && rest.size() == kResultTextLength && rest.back() >= 0xD800 && rest.back() <= 0xDBFF)
        rest.pop_back();
    out += richtext::utf16ToUtf8(rest);
    out += " ...\r\n\r\n";
    return out;
}

VerseRenderer::VerseRenderer(RenderSession state, DisplaySettings& display, HighlightSettings& highlight,
                             ReadingSurface& surface, richtext::RichTextDocument& msg,
                             richtext::RichTextDocument& footnote, richtext::RichTextDocument& fordata)
    : state_(state), display_(display), highlight_(highlight), surface_(surface), msg_(msg), footnote_(footnote),
      fordata_(fordata)
{
}

void VerseRenderer::VerseMode()
{
    if (surface_.lblPage() == kModePages) {
        surface_.setLblPage(kModeVerses);
        surface_.showListButtons(ReadingSurface::ListButtons::Verses);
    }
}

void VerseRenderer::PageMode()
{
    surface_.setLblPage(kModePages);
    surface_.showListButtons(ReadingSurface::ListButtons::None);
}

bool VerseRenderer::openSura(int sura)
{
    const std::string sql = "SELECT * FROM ZOVR WHERE SURA=" + std::to_string(sura) + " ORDER BY VERSE";
    if (!state_.verseRs.open(sql, state_.connection)) {
        db::logDb("verse rows of sura %d: %s", sura, state_.verseRs.lastError().c_str());
        return false;
    }
    return true;
}

void VerseRenderer::showVerse(int sura, int verse)
{
    state_.verseRs.close();
    if (verse != 0)
        return;
    if (openSura(sura) && !state_.verseRs.eof())
        msg_.setRtf(state_.verseRs.field(db::column::Words).toString());
}

void VerseRenderer::ProcessForData(int verse)
{
    ProcessOptions options;
    options.checkSb1Line = display_.checkSb1Line();
    options.subSize = display_.subSize();
    options.fnSize = display_.FNSize();
    options.dispFN = display_.dispFN();
    options.txtFspaces = display_.txtFspaces();
    options.vwFont = display_.VWFont();
    ProcessResult result = processForData(fordata_, options, verse);
    display_.setVWSize(result.vwSize);
    // The rewritten RTF is what the display inserts: fordata holds it as its
    // plain text from here on.
    fordata_.setText(result.rtf);
}

void VerseRenderer::OpenVerse()
{
    VerseMode();
    if (state_.keepHeader) {
        state_.keepHeader = false;
        msg_.setSelStart(msg_.length());
    } else {
        msg_.clear();
    }
    footnote_.clear();
    const std::string mode = surface_.lblPage();
    if (mode == kModeVerses)
        renderVerses();
    else if (mode == kModeResult)
        renderResults();
    if (state_.readAllVerses)
        surface_.readAloud(msg_.text());
    highlightWords();
    // Inserting leaves the caret after the last verse; a display opens at
    // its beginning, whether or not a word was highlighted.
    msg_.select(0, 0);
}

void VerseRenderer::insertVerseRow(int verse)
{
    fordata_.setRtf(state_.verseRs.field(db::column::Words).toString());
    ProcessForData(verse);
    if (fordata_.text16().compare(0, kRtfStart.size(), u"{\\rtf") != 0)
        fordata_.setText(fordata_.rtf());
    msg_.setSelText(fordata_.text());
}

void VerseRenderer::renderVerses()
{
    int count = 0;
    const int entries = surface_.verseCount();
    for (int i = 0; i < entries; ++i)
        count += surface_.verseChecked(i) ? 1 : 0;
    for (int i = 0; i < entries; ++i) {
        if (!surface_.verseChecked(i))
            continue;
        // Positioned on the entry's verse; an entry that is no verse number,
        // or a verse not in the recordset, leaves it at its end.
        const auto v = db::wholeNumber(surface_.verseEntry(i));
        if (state_.verseRs.isOpen()) {
            state_.verseRs.moveFirst();
            if (!v || !state_.verseRs.find("[Verse]=" + std::to_string(*v)))
                continue;
        } else {
            continue;
        }
        if (!db::isNumeric(display_.txtNV()))
            display_.setTxtNV("1");
        const double n = count <= 1 ? db::leadingNumber(display_.txtNV()) : 1;
        const int rows = static_cast<int>(state_.verseRs.recordCount());
        for (int r = passes(n, rows); r >= 1 && !state_.verseRs.eof(); --r) {
            const int verse = static_cast<int>(state_.verseRs.field(db::column::Verse).toInt());
            const int sura = static_cast<int>(state_.verseRs.field(db::column::Sura).toInt());
            insertVerseRow(verse);
            if (!db::isNumeric(display_.txtSpaces()))
                display_.setTxtSpaces("1");
            const int breaks = passes(db::leadingNumber(display_.txtSpaces()), kMaxLineBreaks);
            if (breaks > 0)
                msg_.setSelText(lineBreaks(breaks));
            fillSidePane(sura, verse);
            if (count <= 1) {
                setStatus(1, "Cumulative frequency of the word GOD = " +
                                 state_.verseRs.field(db::column::Count).toString());
                setStatus(2, "Cumulative sum of verses where the word GOD occurs = " +
                                 state_.verseRs.field(db::column::Sum).toString());
            } else {
                setStatus(1, "");
                setStatus(2, "");
            }
            setStatus(3, state_.revelationOrderText);
            state_.verseRs.moveNext();
        }
    }
}

void VerseRenderer::renderResults()
{
    setStatus(1, "");
    setStatus(2, "");
    setStatus(3, "");
    const int entries = surface_.verseCount();
    for (int i = 0; i < entries; ++i) {
        if (!surface_.verseChecked(i))
            continue;
        const std::string entry = surface_.verseEntry(i);
        // Only an entry that reads "sura:verse" is looked up; anything else
        // (a title, an appendix, a glossary line) is shown as its text, and
        // never reaches the statement.
        const size_t colon = entry.find(':');
        std::optional<long long> sura;
        std::optional<long long> verse;
        if (colon != std::string::npos) {
            sura = db::wholeNumber(entry.substr(0, colon));
            verse = leadingVerse(std::string_view(entry).substr(colon + 1));
        }
        bool found = false;
        if (sura && verse) {
            const std::string sql =
                "SELECT * FROM ZOVR WHERE SURA=" + std::to_string(*sura) + " AND VERSE=" + std::to_string(*verse);
            found = state_.verseRs.open(sql, state_.connection) && !state_.verseRs.eof();
        }
        if (!found) {
            msg_.setSelAlignment(0);
            msg_.setSelText(resultEntryText(entry));
            continue;
        }
        fordata_.clear();
        insertVerseRow(static_cast<int>(*verse));
        msg_.setSelText("\r\n");
        fillSidePane(static_cast<int>(*sura), static_cast<int>(*verse));
    }
}

void VerseRenderer::fillSidePane(int sura, int verse)
{
    const std::string caption = surface_.lblNotes();
    if (caption == kNotesCaption) {
        const std::string notes = state_.verseRs.field(db::column::YourNotes).toString();
        footnote_.setText(replaceAll(footnote_.text() + notes, "\r\n\r\n", "\r\n") + "\r\n\r\n");
        return;
    }
    if (caption != kFootnotesCaption || !display_.dispFN())
        return;
    const std::string sql =
        "SELECT * FROM FOOTERS WHERE SURA=" + std::to_string(sura) + " AND VERSE=" + std::to_string(verse);
    if (!state_.footnoteRs.open(sql, state_.connection) || state_.footnoteRs.recordCount() < 1)
        return;
    std::string words = state_.footnoteRs.field(db::column::Words).toString();
    // A footnote stored as rich text is shown by its text, not its source.
    if (richtext::isRtf(words))
        words = richtext::rtfToPlainText(words);
    footnote_.setText(replaceAll(footnote_.text() + words, "\r\n\r\n", "\r\n") + "\r\n\r\n");
}

void VerseRenderer::highlightWords()
{
    const auto colour = highlightColour(highlight_.cboWord());
    if (!colour)
        return;
    for (int k = 0; k < kHighlightBoxes; ++k) {
        const std::string word = wordToMark(highlight_.txtHL(k));
        if (!word.empty())
            highlightText(msg_, word, *colour, true);
    }
}

}  // namespace reading
