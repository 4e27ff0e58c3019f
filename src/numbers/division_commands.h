#pragma once

#include "numbers/dialogs.h"
#include "numbers/division.h"

#include <optional>
#include <string_view>

// The two division buttons, with every question and notice they show.
// nullopt means the command stopped and the result boxes stay as they are.
namespace numbers {

// "Divide by 19": nothing for an empty number; a long number asks first.
std::optional<DivisionResult> divideBy19Command(std::string_view numberText, NumberDialogs& dialogs);

// "Divide by Other Number": asks for the divisor, refuses anything but a
// positive whole number (and an empty number) with "Please enter a valid
// number", then asks about a long number like "Divide by 19".
std::optional<DivisionResult> divideByOtherCommand(std::string_view numberText, NumberDialogs& dialogs);

}  // namespace numbers
