#pragma once

#include "numbers/division.h"
#include "numbers/saved_numbers.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Prompter;

// The number panels' buttons, with every question and notice they show,
// through the window's one box interface. nullopt means the command stopped
// and the panel stays as it is.
namespace numbers {

// "Divide by 19": nothing for an empty number; a long number asks first.
std::optional<DivisionResult> divideBy19Command(std::string_view numberText, Prompter& prompter);

// "Divide by Other Number": asks for the divisor, refuses anything but a
// positive whole number (and an empty number) with "Please enter a valid
// number", then asks about a long number like "Divide by 19".
std::optional<DivisionResult> divideByOtherCommand(std::string_view numberText, Prompter& prompter);

// "Add To List": asks for a name and saves the number under it. Returns
// the name when a save was attempted (the list should be read again and
// the name selected).
std::optional<std::string> addNumberCommand(const SavedNumbers& saved, std::string_view numberText,
                                            Prompter& prompter);

// "Delete": asks first, then needs a selected number, deletes it, and
// selects the first remaining number, which is loaded into the number box.
struct DeleteOutcome {
    bool listChanged = false;                  // read the list again: `list`
    std::vector<std::string> list;
    std::optional<std::string> loadedNumber;   // the first entry's number, for the number box
};
DeleteOutcome deleteNumberCommand(const SavedNumbers& saved, const std::optional<std::string>& selected,
                                  Prompter& prompter);

}  // namespace numbers
