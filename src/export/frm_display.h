#pragma once

#include <QMainWindow>
#include <QString>

#include <string>

class Prompter;
class QAction;
class RichTextPane;
class WebPane;

// A separate display window: a copy of what the main window showed, in a
// rich-text pane (rtf) or a web pane (wb), exactly one of them visible. It
// never follows the main window afterwards. "Save to File" saves what it
// shows; "Close Window" and Esc hide it (it stays until the program ends).
//
// Other features open their own pages here too: give the window a caption,
// show rich text, a web address or an HTML page, then showAndRaise().
class frmDisplay : public QMainWindow {
    Q_OBJECT
public:
    explicit frmDisplay(Prompter& prompter, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    // The rich-text pane, visible, with this RTF (plain text is taken as such).
    void showRtf(const std::string& rtf);
    // The web pane, visible and silent, on this address (a local file or a
    // web address).
    void showAddress(const QString& address);
    // The web pane, visible and silent, on this page.
    void showHtml(const QString& html);
    // Shows the window (not modal), brings it to the front and focuses the pane.
    void showAndRaise();

    RichTextPane* rtf() const { return rtf_; }
    WebPane* wb() const { return wb_; }
    bool showsWeb() const { return shown_ != Shown::Rich; }

    // "Save to File": the rich text as rich text or a web page, a web page
    // as a web page. False when nothing was saved (cancelled or failed;
    // a failure has said so).
    bool mnuSaveToFile_Click();
    void close_win_Click();

    // Where the panes go in a window of that size, in twips: from the top
    // left corner, 250 narrower and 600 lower than the window.
    struct PaneRect {
        int left, top, width, height;
    };
    static PaneRect paneRect(int windowWidthTwips, int windowHeightTwips);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Shown { Rich, Address, Html };
    void place();
    void showPane(Shown what);

    Prompter& prompter_;
    RichTextPane* rtf_ = nullptr;
    WebPane* wb_ = nullptr;
    QAction* save_ = nullptr;
    QAction* close_ = nullptr;
    Shown shown_ = Shown::Rich;
    // The page shown in the web pane when it was given as HTML.
    QString html_;
};
