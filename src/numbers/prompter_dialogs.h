#pragma once

#include "numbers/dialogs.h"

#include <optional>
#include <string>

class Prompter;

// The number commands' boxes shown through the window's Prompter. The last
// answer typed into an input box is kept, so that the panel can select a
// number it has just saved under that name.
class PrompterDialogs : public numbers::NumberDialogs {
public:
    explicit PrompterDialogs(Prompter& prompter) : prompter_(prompter) {}

    bool askYesNo(std::string_view question) override;
    void inform(std::string_view message) override;
    std::optional<std::string> input(std::string_view prompt, std::string_view title) override;

    const std::optional<std::string>& lastInput() const { return lastInput_; }

private:
    Prompter& prompter_;
    std::optional<std::string> lastInput_;
};
