#pragma once

#include "init/project_data.h"
#include "init/sample_text.h"

#include <string>
#include <string_view>
#include <vector>

// The 38 appendices: study tables made from the text itself. Appendix k
// covers suras 3k-2, 3k-1 and 3k.
namespace init {

inline constexpr int kAppendixCount = 38;
inline constexpr int kSurasPerAppendix = 3;

struct VerseFigures {
    int words = 0;    // pieces of the search form between spaces
    int letters = 0;  // letters a-z, either case
    int allah = 0;    // "Allah" as a whole word, this letter case
    long long count = 0;  // running total of the Allah occurrences up to this verse
    long long sum = 0;    // running total of the numbers of the verses that hold it
};

struct SuraFigures {
    int number = 0;
    int revelation = 0;  // place in the order of revelation, 1 to 114
    std::vector<VerseFigures> verses;  // verse k at index k - 1
    int words = 0, letters = 0, allah = 0;
};

// Letters and words as the appendices count them.
int letterCount(std::string_view text);
int wordCount(std::string_view text);

// Figures of every sura, with the running counts carried across the text
// the way the verse table stores them.
std::vector<SuraFigures> textFigures(const SampleText& sample);

// "Suras 1–3 in figures": the short title the appendix list shows.
std::string appendixTitle(int number);

// True for the figures the appendices mark: positive multiples of 19.
inline bool markedMultiple(long long value) { return value > 0 && value % 19 == 0; }

// All 38 appendices, each a complete HTML document with the stylesheet.
std::vector<AppendixDoc> makeAppendices(const SampleText& sample, std::string_view css);

}  // namespace init
