#include "numbers/number_commands.h"

#include "shell/prompter.h"
#include "ui/panel_support.h"

namespace numbers {

namespace {

using ui::qs;

bool confirmLongNumber(std::string_view numberText, Prompter& prompter)
{
    return !isLongNumber(numberText) || prompter.askYesNo(qs(kLongNumberQuestion));
}

// An input box with an empty default; nullopt when cancelled.
std::optional<std::string> ask(Prompter& prompter, std::string_view prompt, std::string_view title)
{
    const std::optional<QString> answer = prompter.input(qs(prompt), qs(title));
    if (!answer)
        return std::nullopt;
    return answer->toStdString();
}

}  // namespace

std::optional<DivisionResult> divideBy19Command(std::string_view numberText, Prompter& prompter)
{
    if (numberText.empty() || !confirmLongNumber(numberText, prompter))
        return std::nullopt;
    return divideByNineteen(numberText);
}

std::optional<DivisionResult> divideByOtherCommand(std::string_view numberText, Prompter& prompter)
{
    const std::string typed = ask(prompter, kDivisorPrompt, kDivisorTitle).value_or(std::string());
    const std::optional<Divisor> divisor = parseDivisor(typed);
    if (!divisor || numberText.empty()) {
        prompter.information(qs(kInvalidNumber));
        return std::nullopt;
    }
    if (!confirmLongNumber(numberText, prompter))
        return std::nullopt;
    return divideBy(numberText, *divisor);
}

std::optional<std::string> addNumberCommand(const SavedNumbers& saved, std::string_view numberText,
                                            Prompter& prompter)
{
    const std::string name = ask(prompter, kNamePrompt, kNameTitle).value_or(std::string());
    if (name.empty()) {
        prompter.information(qs(kNameMissing));
        return std::nullopt;
    }
    if (auto problem = saved.save(name, numberText))
        prompter.information(qs(*problem));
    return name;
}

DeleteOutcome deleteNumberCommand(const SavedNumbers& saved, const std::optional<std::string>& selected,
                                  Prompter& prompter)
{
    DeleteOutcome outcome;
    if (!prompter.askYesNo(qs(kDeleteQuestion)))
        return outcome;
    if (!selected || selected->empty()) {
        prompter.information(qs(kSelectToDelete));
        return outcome;
    }
    if (auto problem = saved.remove(*selected))
        prompter.information(qs(*problem));
    outcome.listChanged = true;
    outcome.list = saved.list();
    if (!outcome.list.empty())
        outcome.loadedNumber = saved.load(outcome.list.front());
    return outcome;
}

}  // namespace numbers
