#pragma once

#include "numbers/gematria.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Typing Arabic without an Arabic keyboard: the on-screen letter keys and
// the Latin transliteration, and the expression box they fill.
namespace numbers {

// ---- on-screen keyboard ----

// The keys are numbered 6 … 30 and 32 … 37; 36 types a space and 37 empties
// the working copy.
inline constexpr int kSpaceKey = 36;
inline constexpr int kClearAllKey = 37;
// The caption of a key (UTF-8), or an empty view for a number that is no key.
std::string_view keyCaption(int key);
// The letter a key types, or nullopt for "Space", "Clear All" and non-keys.
std::optional<char32_t> keyLetter(int key);
// The keyboard's rows from top to bottom, keys from left to right. The
// first row's two keys sit at its right end.
std::span<const std::span<const int>> keyboardRows();

// ---- transliteration ----

// Every two-character window of the text (windows overlap) that is a code
// gives its letter, in order; two spaces give a word space. Codes are
// compared with letter case.
std::u32string transliterate(std::u32string_view latin);

// The codes and their letters (a space for the word space), for help texts.
struct TransliterationCode {
    char32_t first;
    char32_t second;
    char32_t letter;
};
std::span<const TransliterationCode> transliterationCodes();

// ---- the expression and its working copy ----

// The expression box shows the expression in reading order; beside it the
// panel keeps a working copy holding the same letters in reverse order. The
// keys and "Get Arabic" build on the working copy, the calculations rebuild
// it from the expression, and "Clear All" empties only the working copy.
class GvExpression {
public:
    const std::u32string& expression() const { return expression_; }
    const std::u32string& workingCopy() const { return working_; }
    std::string expressionUtf8() const;

    // The reader edited the expression box directly.
    void setExpression(std::u32string_view text) { expression_ = text; }
    void setExpressionUtf8(std::string_view text);

    // Opening the panel empties both.
    void reset();

    // A click on a key. Nothing happens unless "Click to Type" is checked.
    // Returns true when the expression changed.
    bool clickKey(int key, bool clickToType);

    // "Get Arabic": one space goes at the end of the working copy, each
    // converted letter in front of it; the expression then shows the working
    // copy in reading order.
    void getArabic(std::u32string_view latin);
    void getArabicUtf8(std::string_view latin);

    // The three calculations; each rebuilds the working copy from the
    // expression first.
    std::string wordWise(const GvOptions& options);
    std::string letterWise(const GvOptions& options);
    std::string details();

private:
    std::u32string expression_;
    std::u32string working_;
};

}  // namespace numbers
