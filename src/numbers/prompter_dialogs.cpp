#include "numbers/prompter_dialogs.h"

#include "app/prompter.h"

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

bool PrompterDialogs::askYesNo(std::string_view question) { return prompter_.askYesNo(qs(question)); }

void PrompterDialogs::inform(std::string_view message) { prompter_.information(qs(message)); }

std::optional<std::string> PrompterDialogs::input(std::string_view prompt, std::string_view title)
{
    const std::optional<QString> answer = prompter_.input(qs(prompt), qs(title));
    lastInput_.reset();
    if (answer)
        lastInput_ = answer->toStdString();
    return lastInput_;
}
