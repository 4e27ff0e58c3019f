#pragma once

#include "shell/prompter.h"

#include <QStringList>

#include <deque>
#include <vector>

// A Prompter for tests: records every box it is asked to show and answers
// questions and input boxes from queues (Yes and an empty answer when the
// queue is empty, so a test notices unexpected boxes through boxes()).
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Information, Plain, YesNo, Input, SaveFile, OpenFile };
    struct Box {
        Kind kind;
        QString text;
        QString title;
    };

    void information(const QString& text, const QString& title = {}) override { record(Kind::Information, text, title); }
    void plain(const QString& text, const QString& title = {}) override { record(Kind::Plain, text, title); }
    bool askYesNo(const QString& text, const QString& title = {}) override
    {
        record(Kind::YesNo, text, title);
        if (yesNo.empty())
            return true;
        bool a = yesNo.front();
        yesNo.pop_front();
        return a;
    }
    std::optional<QString> input(const QString& prompt, const QString& title = {}, const QString& = {}) override
    {
        record(Kind::Input, prompt, title);
        std::optional<QString> a;
        if (!inputs.empty()) {
            a.swap(inputs.front());
            inputs.pop_front();
        }
        return a;
    }
    QString saveFileName(const QString& title, const QString&, const QString&) override
    {
        record(Kind::SaveFile, {}, title);
        if (fileNames.empty())
            return {};
        QString a = fileNames.front();
        fileNames.pop_front();
        return a;
    }

    // Records the filters offered as the box's text; the filter chosen is
    // the next of chosenFilters, else the first offered.
    QString chooseSaveFile(const QString& title, const QString&, const QString& filter, QString* chosenFilter) override
    {
        record(Kind::SaveFile, filter, title);
        if (chosenFilter) {
            *chosenFilter = filter.section(QStringLiteral(";;"), 0, 0);
            if (!chosenFilters.empty()) {
                *chosenFilter = chosenFilters.front();
                chosenFilters.pop_front();
            }
        }
        if (fileNames.empty())
            return {};
        QString a = fileNames.front();
        fileNames.pop_front();
        return a;
    }

    QString openFileName(const QString& title, const QString&, const QString&) override
    {
        record(Kind::OpenFile, {}, title);
        if (fileNames.empty())
            return {};
        QString a = fileNames.front();
        fileNames.pop_front();
        return a;
    }

    const std::vector<Box>& boxes() const { return boxes_; }
    QStringList texts() const
    {
        QStringList out;
        for (const auto& b : boxes_)
            out << b.text;
        return out;
    }
    void clear() { boxes_.clear(); }

    std::deque<bool> yesNo;
    std::deque<std::optional<QString>> inputs;
    std::deque<QString> fileNames;
    std::deque<QString> chosenFilters;

private:
    void record(Kind kind, const QString& text, const QString& title)
    {
        boxes_.push_back({kind, text, title.isEmpty() ? programTitle() : title});
    }
    std::vector<Box> boxes_;
};
