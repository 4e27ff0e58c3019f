#pragma once

#include "shell/prompter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// The window's box interface as the number commands' tests script it:
// records every box a command shows, as plain text, and answers from
// queues: Yes, and a cancelled input, when a queue is empty, so an
// unexpected box shows up in `boxes`.
class ScriptedDialogs : public Prompter {
public:
    enum class Kind { YesNo, Inform, Input };
    struct Box {
        Kind kind;
        std::string text;
        std::string title;
        bool operator==(const Box&) const = default;
    };

    bool askYesNo(const QString& question, const QString& title = {}) override
    {
        boxes.push_back({Kind::YesNo, question.toStdString(), title.toStdString()});
        if (answers.empty())
            return true;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void information(const QString& message, const QString& title = {}) override
    {
        boxes.push_back({Kind::Inform, message.toStdString(), title.toStdString()});
    }
    void plain(const QString& message, const QString& title = {}) override { information(message, title); }
    std::optional<QString> input(const QString& prompt, const QString& title = {}, const QString& = {}) override
    {
        boxes.push_back({Kind::Input, prompt.toStdString(), title.toStdString()});
        if (inputs.empty())
            return std::nullopt;
        auto a = inputs.front();
        inputs.pop_front();
        if (!a)
            return std::nullopt;
        return QString::fromStdString(*a);
    }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }

    std::deque<bool> answers;
    std::deque<std::optional<std::string>> inputs;
    std::vector<Box> boxes;
};
