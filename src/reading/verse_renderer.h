#pragma once

#include "reading/display_settings.h"
#include "reading/richtext/rich_text_document.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace db {
class Database;
class Recordset;
}  // namespace db

// Verse rendering without windows: OpenVerse and the procedures around it,
// working on pane models and on a small surface that stands for the
// controls they read and write. The reading view implements the surface
// over its widgets; the CLI, the benchmarks and the tests use MemorySurface.
namespace reading {

inline constexpr const char* kModeVerses = "VERSES";
inline constexpr const char* kModeResult = "RESULT";
inline constexpr const char* kModePages = "PAGES";
inline constexpr const char* kNotesCaption = "My Note(s):";
inline constexpr const char* kFootnotesCaption = "Footnote(s):";

class ReadingSurface {
public:
    virtual ~ReadingSurface() = default;

    // The display mode: the caption of lblPage.
    virtual std::string lblPage() const = 0;
    virtual void setLblPage(const std::string& caption) = 0;
    // The side pane's caption (lblNotes).
    virtual std::string lblNotes() const = 0;

    // VerseList: entries and which of them are checked (selected).
    virtual int verseCount() const = 0;
    virtual std::string verseEntry(int index) const = 0;
    virtual bool verseChecked(int index) const = 0;

    // The list's buttons: in verse mode "Show All" and "Clear" show and the
    // result-page buttons and cmbList hide; in page mode all of them hide.
    enum class ListButtons { Verses, None };
    virtual void showListButtons(ListButtons which) = 0;

    // Status-bar panels 1 to 3.
    virtual void setStatusText(int panel, const std::string& text) = 0;

    // The automatic reading step, given the plain text of the reading pane.
    virtual void readAloud(const std::string& text) = 0;
};

// The surface as plain data.
class MemorySurface : public ReadingSurface {
public:
    std::string page = kModeVerses;
    std::string notes = kFootnotesCaption;
    std::vector<std::string> entries;
    std::vector<bool> checked;
    ListButtons buttons = ListButtons::Verses;
    std::array<std::string, 3> status{};
    std::vector<std::string> spoken;

    std::string lblPage() const override { return page; }
    void setLblPage(const std::string& caption) override { page = caption; }
    std::string lblNotes() const override { return notes; }
    int verseCount() const override { return static_cast<int>(entries.size()); }
    std::string verseEntry(int index) const override { return entries.at(static_cast<size_t>(index)); }
    bool verseChecked(int index) const override
    {
        return static_cast<size_t>(index) < checked.size() && checked[static_cast<size_t>(index)];
    }
    void showListButtons(ListButtons which) override { buttons = which; }
    void setStatusText(int panel, const std::string& text) override
    {
        if (panel >= 1 && panel <= 3)
            status[static_cast<size_t>(panel - 1)] = text;
    }
    void readAloud(const std::string& text) override { spoken.push_back(text); }

    // Replaces the entries; none checked.
    void setEntries(std::vector<std::string> list)
    {
        entries = std::move(list);
        checked.assign(entries.size(), false);
    }
    void check(int index, bool on = true) { checked.at(static_cast<size_t>(index)) = on; }
};

// What the verse display shares with the rest of the program: the open
// text database, the recordsets it moves through and the flags other
// commands set. The window hands in its own; the command line its locals.
struct RenderSession {
    db::Database& connection;
    db::Recordset& verseRs;
    db::Recordset& footnoteRs;
    // The next rendering appends after what the reading pane already shows.
    bool& keepHeader;
    // Automatic reading of each display.
    const bool& readAllVerses;
    // "Sura Revelation Order = n", shown in the third status panel.
    const std::string& revelationOrderText;
};

class VerseRenderer {
public:
    VerseRenderer(RenderSession state, DisplaySettings& display, HighlightSettings& highlight, ReadingSurface& surface,
                  richtext::RichTextDocument& msg, richtext::RichTextDocument& footnote,
                  richtext::RichTextDocument& fordata);

    // Renders the checked entries of the verse list into the reading pane
    // according to the display mode, fills the side pane and the status
    // bar, runs the automatic reading and marks the highlight words.
    void OpenVerse();
    // Rewrites the verse held in fordata for display (row's verse number given).
    void ProcessForData(int verse);
    // Back to verse mode when pages are shown.
    void VerseMode();
    void PageMode();
    // Closes the verse recordset; for verse 0 opens it on the sura's rows
    // and shows the sura's first row in the reading pane.
    void showVerse(int sura, int verse);
    // Opens the verse recordset on the rows of the sura, in verse order.
    bool openSura(int sura);
    // The highlight pass over the reading pane.
    void highlightWords();

private:
    void renderVerses();
    void renderResults();
    void insertVerseRow(int verse);
    void fillSidePane(int sura, int verse);
    void setStatus(int panel, const std::string& text) { surface_.setStatusText(panel, text); }

    RenderSession state_;
    DisplaySettings& display_;
    HighlightSettings& highlight_;
    ReadingSurface& surface_;
    richtext::RichTextDocument& msg_;
    richtext::RichTextDocument& footnote_;
    richtext::RichTextDocument& fordata_;
};

// The text shown for a result entry that is not a verse: its category
// prefix spelled out, at most 190 characters of the rest, " ..." and a
// blank line.
std::string resultEntryText(std::string_view entry);

}  // namespace reading
