#pragma once

#include <array>
#include <string>

// The settings the verse display reads, behind small interfaces: the main
// window implements them over its settings panel's controls; the tests, the
// CLI and the benchmarks use the in-memory forms, which start with the
// design's initial values.
namespace reading {

class DisplaySettings {
public:
    virtual ~DisplaySettings() = default;

    // "Display n consecutive verse(s) at a time"
    virtual std::string txtNV() const = 0;
    virtual void setTxtNV(const std::string& text) = 0;
    // "Insert n blank lines when displaying multiple verses"
    virtual std::string txtSpaces() const = 0;
    virtual void setTxtSpaces(const std::string& text) = 0;
    // "Insert n blank lines between a verse and its footnotes"
    virtual std::string txtFspaces() const = 0;
    // "Do not display footnotes with verses"
    virtual bool dispFN() const = 0;
    // "Reserve one line for subtitle"
    virtual bool checkSb1Line() const = 0;
    // "Verses/Subtitles:" point size
    virtual std::string subSize() const = 0;
    // Hidden copy of subSize made for each verse.
    virtual std::string VWSize() const = 0;
    virtual void setVWSize(const std::string& text) = 0;
    // "Footnotes:" point size
    virtual std::string FNSize() const = 0;
    // "Font Name:"
    virtual std::string VWFont() const = 0;
};

class MemoryDisplaySettings : public DisplaySettings {
public:
    std::string nv = "1";
    std::string spaces = "1";
    std::string fspaces = "1";
    bool footnotesApart = false;
    bool subtitleOneLine = false;
    std::string size = "12.5";
    std::string vwSize = "Size";
    std::string fnSize = "10.5";
    std::string font = "Arial Narrow";

    std::string txtNV() const override { return nv; }
    void setTxtNV(const std::string& text) override { nv = text; }
    std::string txtSpaces() const override { return spaces; }
    void setTxtSpaces(const std::string& text) override { spaces = text; }
    std::string txtFspaces() const override { return fspaces; }
    bool dispFN() const override { return footnotesApart; }
    bool checkSb1Line() const override { return subtitleOneLine; }
    std::string subSize() const override { return size; }
    std::string VWSize() const override { return vwSize; }
    void setVWSize(const std::string& text) override { vwSize = text; }
    std::string FNSize() const override { return fnSize; }
    std::string VWFont() const override { return font; }
};

inline constexpr int kHighlightBoxes = 13;

class HighlightSettings {
public:
    virtual ~HighlightSettings() = default;
    // The word or phrase of highlight box 0 … 12 (apostrophes doubled, as
    // the search puts them there).
    virtual std::string txtHL(int index) const = 0;
    // The highlight colour's name: "Yellow", "Red", "Green" or "Blue".
    virtual std::string cboWord() const = 0;
};

class MemoryHighlightSettings : public HighlightSettings {
public:
    std::array<std::string, kHighlightBoxes> words{};
    std::string colour = "Yellow";

    std::string txtHL(int index) const override
    {
        return index >= 0 && index < kHighlightBoxes ? words[static_cast<size_t>(index)] : std::string();
    }
    std::string cboWord() const override { return colour; }
};

}  // namespace reading
