#include "numbers/division_commands.h"

namespace numbers {

namespace {

bool confirmLongNumber(std::string_view numberText, NumberDialogs& dialogs)
{
    return !isLongNumber(numberText) || dialogs.askYesNo(kLongNumberQuestion);
}

}  // namespace

std::optional<DivisionResult> divideBy19Command(std::string_view numberText, NumberDialogs& dialogs)
{
    if (numberText.empty() || !confirmLongNumber(numberText, dialogs))
        return std::nullopt;
    return divideByNineteen(numberText);
}

std::optional<DivisionResult> divideByOtherCommand(std::string_view numberText, NumberDialogs& dialogs)
{
    const std::string typed = dialogs.input(kDivisorPrompt, kDivisorTitle).value_or(std::string());
    const std::optional<Divisor> divisor = parseDivisor(typed);
    if (!divisor || numberText.empty()) {
        dialogs.inform(kInvalidNumber);
        return std::nullopt;
    }
    if (!confirmLongNumber(numberText, dialogs))
        return std::nullopt;
    return divideBy(numberText, *divisor);
}

}  // namespace numbers
