#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The main window's settings: which control each stored key belongs to, in
// the order they are saved and loaded, and the text forms of their values.
namespace settings {

// Written first on every save; values are loaded only when it reads "Set".
inline constexpr std::string_view kGuardKey = "ZerafinSet";
inline constexpr std::string_view kGuardValue = "Set";

enum class Kind {
    Text,       // ".text": the text as typed
    ListIndex,  // ".listindex": position in a list, "-1" for none
    Check,      // ".value" of a check box: "0", "1" or "2" (greyed)
    Option,     // ".value" of an option button: "True" or "False"
};

struct Key {
    std::string_view key;         // name in the store, e.g. "Areas(3).value"
    std::string_view objectName;  // the control, e.g. "Areas_3"
    Kind kind;
};

inline constexpr int kKeyCount = 44;
const std::array<Key, kKeyCount>& keys();

// Value formats.
std::string checkText(int state);  // 0, 1, 2 → "0", "1", "2"
std::string optionText(bool on);   // "True" / "False"

// A stored list position or check value as a whole number, rounded half to
// even the way the program has always converted; nullopt when the text is
// not a number or lies outside a 16-bit integer.
std::optional<int> wholeValue(std::string_view text);
// A stored check-box value: 0, 1 or 2, nullopt otherwise.
std::optional<int> checkValue(std::string_view text);
// A stored option value: "True"/"False" in any letter case, or a number
// (0 is false, anything else true); nullopt otherwise.
std::optional<bool> optionValue(std::string_view text);

}  // namespace settings
