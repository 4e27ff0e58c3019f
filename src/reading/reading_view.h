#pragma once

#include "reading/display_settings.h"
#include "reading/rich_text_pane.h"
#include "reading/verse_renderer.h"
#include "reading/web_pane.h"
#include "shell/main_state.h"

#include <QObject>

#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QWidget;

// The reading view: the reading pane Msg, the side pane rtfFootnote, the
// scratch pane fordata, the verse list with its caption and
// buttons, the web pane wb and the status texts, and the verse display
// that fills them (OpenVerse and the procedures around it).
//
// The widgets are created as children of the parent given and carry their
// documented objectNames; the main window places them. The status bar's
// three panels are QLabels (objectNames StatusBar1Panel1 … 3); put them in
// a status bar with attachStatusBar().
// The verse display's share of the window's state.
reading::RenderSession renderSession(MainState& state);

class ReadingView : public QObject {
    Q_OBJECT
public:
    ReadingView(MainState& state, reading::DisplaySettings& display, reading::HighlightSettings& highlight,
                QWidget* parent);
    ~ReadingView() override;

    // ---- what the subsystems ask of it --------------------------------------
    // The verse list's mode, kept in the shared state; the caption above
    // the list shows it.
    void setMode(ListMode mode);
    ListMode mode() const;
    // The buttons under the verse list: select all / none for verses; those
    // and the page buttons for a result list; "Go Back" after a jump.
    void showVerseButtons();
    void showResultButtons();
    void showGoBack();
    // The category box of a result list.
    void showCategories(bool on);
    void setCategory(const QString& category);
    QString category() const;
    // The reading pane's text, and bringing the pane forward or focusing it.
    richtext::RichTextDocument& text();
    void raiseText();
    void focusText();
    // A document (HTML) in the web pane in place of the reading pane, the
    // verse list and its buttons.
    void showDocument(const QString& path);
    // The web pane in place of the reading pane, on a blank page; nothing
    // when it is already shown.
    void showWB();
    // The scratch pane (a model only: nothing shows it).
    richtext::RichTextDocument& fordata() { return fordata_; }

    // ---- the widgets, for the window that places them -----------------------
    RichTextPane* msg() const { return msg_; }
    RichTextPane* rtfFootnote() const { return rtfFootnote_; }
    QLabel* lblNotes() const { return lblNotes_; }
    QLabel* lblPage() const { return lblPage_; }
    // Checked entries are the selected ones: the check boxes show the selection.
    QListWidget* verseList() const { return verseList_; }
    QComboBox* cmbList() const { return cmbList_; }
    QPushButton* command2() const { return command2_; }
    QPushButton* command3() const { return command3_; }
    QPushButton* command8() const { return command8_; }
    QPushButton* command9() const { return command9_; }
    QPushButton* cmdGoBack() const { return cmdGoBack_; }
    WebPane* wb() const { return wb_; }
    QLabel* statusPanel(int panel) const;
    QString statusText(int panel) const;
    void attachStatusBar(QStatusBar* bar);

    // Called with the plain text of Msg after each display while automatic
    // reading is on.
    void setReadAloud(std::function<void(const QString&)> hook) { readAloud_ = std::move(hook); }

    // ---- the procedures --------------------------------------------------------
    void OpenVerse();
    // Selects (checks) the current entry of the verse list, remembers it as
    // the entry last opened alone and shows the selection.
    void showCurrentEntry();
    void ProcessForData(int verse) { renderer_.ProcessForData(verse); }
    void showVerse(int sura, int verse);
    void VerseMode() { renderer_.VerseMode(); }
    void PageMode() { renderer_.PageMode(); }
    void showMSG();
    // Marks the word in the pane; with keepDrawing false the window does not
    // repaint until it is done. Returns the number of occurrences marked.
    int HighlightText(QWidget* window, RichTextPane& pane, const QString& word, uint32_t colour, bool allOccurrences,
                      bool keepDrawing);
    std::vector<uint32_t> ReadColorTable(const RichTextPane& pane) const;

    // Brings every pane's view up to date now (the views follow on their own
    // at the next turn of the event loop).
    void flushViews();

signals:
    // A display is about to replace what the panes show.
    void aboutToDisplay();
    // A display is complete (OpenVerse or showVerse): whoever adds to what
    // the panes show does it now.
    void displayed();

private:
    // What the verse display reads and writes, over the widgets.
    class Surface : public reading::ReadingSurface {
    public:
        explicit Surface(ReadingView& view) : v_(view) {}
        std::string lblPage() const override;
        void setLblPage(const std::string& caption) override;
        std::string lblNotes() const override;
        int verseCount() const override;
        std::string verseEntry(int index) const override;
        bool verseChecked(int index) const override;
        void showListButtons(ListButtons which) override;
        void setStatusText(int panel, const std::string& text) override;
        void readAloud(const std::string& text) override;

    private:
        ReadingView& v_;
    };


    MainState& state_;
    QWidget* parent_;
    RichTextPane* msg_ = nullptr;
    RichTextPane* rtfFootnote_ = nullptr;
    richtext::RichTextDocument fordata_;
    QLabel* lblNotes_ = nullptr;
    QLabel* lblPage_ = nullptr;
    QListWidget* verseList_ = nullptr;
    QComboBox* cmbList_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command8_ = nullptr;
    QPushButton* command9_ = nullptr;
    QPushButton* cmdGoBack_ = nullptr;
    WebPane* wb_ = nullptr;
    std::array<QLabel*, 3> status_{};
    std::function<void(const QString&)> readAloud_;
    Surface surface_{*this};
    reading::VerseRenderer renderer_;
};
