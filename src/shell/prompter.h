#pragma once

#include <QString>

#include <optional>

class QWidget;

// Every box the program shows goes through one Prompter: information boxes
// with one OK button, Yes/No questions that proceed only on Yes, an input
// box, and the save-file dialog. The window uses QtPrompter; tests use a
// scripted one that records every box and answers from a queue.
class Prompter {
public:
    virtual ~Prompter() = default;

    // An information box (icon, one OK button). An empty title shows the
    // program's title.
    virtual void information(const QString& text, const QString& title = {}) = 0;
    // A plain box without an icon, one OK button.
    virtual void plain(const QString& text, const QString& title = {}) = 0;
    // A Yes/No question; true only for Yes.
    virtual bool askYesNo(const QString& text, const QString& title = {}) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title = {},
                                         const QString& initial = {}) = 0;
    // The save-file dialog; empty when cancelled.
    virtual QString saveFileName(const QString& title, const QString& initialPath, const QString& filter) = 0;
    // The same dialog, telling also which of the filters (";;" between
    // them) the reader chose. Without a dialog of its own that can say, the
    // first filter counts as chosen.
    virtual QString chooseSaveFile(const QString& title, const QString& initialPath, const QString& filter,
                                   QString* chosenFilter)
    {
        const QString name = saveFileName(title, initialPath, filter);
        if (chosenFilter)
            *chosenFilter = filter.section(QStringLiteral(";;"), 0, 0);
        return name;
    }
    // The open-file dialog for an existing file; empty when cancelled.
    virtual QString openFileName(const QString& /*title*/, const QString& /*initialPath*/, const QString& /*filter*/)
    {
        return {};
    }

    // The title boxes show when they have none of their own.
    static QString programTitle() { return QStringLiteral("Zerafin Release 3.7"); }
};

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void information(const QString& text, const QString& title = {}) override;
    void plain(const QString& text, const QString& title = {}) override;
    bool askYesNo(const QString& text, const QString& title = {}) override;
    std::optional<QString> input(const QString& prompt, const QString& title = {}, const QString& initial = {}) override;
    QString saveFileName(const QString& title, const QString& initialPath, const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& initialPath, const QString& filter,
                           QString* chosenFilter) override;
    QString openFileName(const QString& title, const QString& initialPath, const QString& filter) override;

private:
    QWidget* parent_ = nullptr;
};
