#pragma once

#include "numbers/dialogs.h"

#include <deque>
#include <string>
#include <vector>

// Records every box a number command shows and answers from queues: Yes
// and a cancelled input when a queue is empty, so an unexpected box shows
// up in `boxes`.
class ScriptedDialogs : public numbers::NumberDialogs {
public:
    enum class Kind { YesNo, Inform, Input };
    struct Box {
        Kind kind;
        std::string text;
        std::string title;
        bool operator==(const Box&) const = default;
    };

    bool askYesNo(std::string_view question) override
    {
        boxes.push_back({Kind::YesNo, std::string(question), {}});
        if (answers.empty())
            return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void inform(std::string_view message) override { boxes.push_back({Kind::Inform, std::string(message), {}}); }
    std::optional<std::string> input(std::string_view prompt, std::string_view title) override
    {
        boxes.push_back({Kind::Input, std::string(prompt), std::string(title)});
        if (inputs.empty())
            return std::nullopt;
        auto a = inputs.front();
        inputs.pop_front();
        return a;
    }

    std::deque<bool> answers;
    std::deque<std::optional<std::string>> inputs;
    std::vector<Box> boxes;
};
