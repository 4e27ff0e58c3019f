#pragma once

#include "ui/panel_frame.h"

class QAbstractButton;
class QLabel;
class QPushButton;
class RichTextPane;
class Shell;
class WrapCheckBox;

// The side pane's panel (frameFootnotes): its caption lblNotes, the pane
// rtfFootnote, "UPDATE MY NOTES" (cmdYN) and "Do not display footnotes
// with verses" (dispFN). The same panel shows the footnotes of the verses
// or edits the reader's note; the mode decides which, and the caption
// (which the verse display reads) always follows it.
class NotesPanel : public PanelFrame {
    Q_OBJECT
public:
    enum class Mode { Footnotes, Notes };

    // Takes the caption and the pane of the reading view into the panel.
    NotesPanel(QLabel* lblNotes, RichTextPane* rtfFootnote, QWidget* parent = nullptr);

    // The window's side pane: the footnotes command and the notes editor
    // share it, so whichever is installed first puts it in the left column.
    static NotesPanel& of(Shell& main);

    Mode mode() const { return mode_; }
    // Notes: the pane is editable and "UPDATE MY NOTES" shows and is the
    // default button. Footnotes: the pane is read-only, the button hidden.
    void setMode(Mode mode);

    QLabel* lblNotes() const { return caption_; }
    bool showsNotes() const { return mode_ == Mode::Notes; }
    RichTextPane* rtfFootnote() const { return pane_; }
    QPushButton* cmdYN() const { return save_; }
    WrapCheckBox* dispFN() const { return dispFN_; }
    // The settings panel has the same choice: the two boxes move together,
    // so whichever the window reads holds the one value.
    void mirrorDispFN(QAbstractButton* other);

signals:
    // The pane is about to show something else: whoever edits in it keeps
    // what was typed now.
    void leavingMode(NotesPanel::Mode mode);

private:
    Mode mode_ = Mode::Footnotes;
    QLabel* caption_;
    RichTextPane* pane_;
    QPushButton* save_ = nullptr;
    WrapCheckBox* dispFN_ = nullptr;
};
