#pragma once

#include "reading/richtext/rich_text_document.h"

#include <QTextCharFormat>
#include <QTextEdit>
#include <QWidget>

#include <functional>
#include <vector>

class QMenu;
class QMimeData;

// A rich-text pane on screen: the document model (where every command
// works) shown in a QTextEdit, with caret and selection kept in step both
// ways and the reader's own edits handed back to the model.
//
// Commands change the model; the view follows once, on the next turn of
// the event loop (or at flush()), so a command that writes the pane many
// times repaints it once. A hidden pane follows when it is shown.
//
// Model offsets count the plain text as the model gives it (CR LF = two
// units); the view holds one paragraph or line separator per break.
class RichTextPane : public QWidget, private richtext::RichTextDocument::Observer {
    Q_OBJECT
public:
    explicit RichTextPane(QWidget* parent = nullptr, richtext::Font baseFont = richtext::Font{"Arial", 0, "fswiss"},
                          int baseHalfPoints = richtext::kDefaultHalfPoints);
    ~RichTextPane() override;

    richtext::RichTextDocument& model() { return model_; }
    const richtext::RichTextDocument& model() const { return model_; }
    QTextEdit* view() const;

    // The reader cannot edit a read-only pane; selecting and copying still work.
    void setReadOnly(bool on);
    bool isReadOnly() const { return model_.readOnly(); }

    // The pop-up menu, opened at the pointer when the right button goes down
    // (or at the caret for the menu key). A handler, when set, is called
    // instead of opening the menu.
    void setPopupMenu(QMenu* menu);
    void setPopupHandler(std::function<void(const QPoint& globalPos)> handler);
    // Pasting takes only the clipboard's plain text.
    void setPlainPaste(bool on);

    void selectAll();

    // Brings the view up to date now.
    void flush();
    bool viewPending() const { return contentDirty_ || selectionDirty_; }
    // How many times the view has been rebuilt from the model.
    int viewRebuilds() const { return rebuilds_; }

    // Offsets between the model and the view as it now shows.
    int viewPosition(int modelOffset) const;
    int modelOffset(int viewPosition) const;

signals:
    // The reader changed the text.
    void edited();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Edit;

    void contentChanged() override;
    void selectionChanged() override;
    void scheduleFlush();
    void rebuildView();
    void recomputeBreaks();
    void applySelectionToView();
    void viewSelectionMoved();
    void viewTextChanged();
    QTextCharFormat charFormat(const richtext::CharFormat& f);
    richtext::CharFormat modelFormat(const QTextCharFormat& f);
    bool openPopup(const QPoint& globalPos);

    richtext::RichTextDocument model_;
    Edit* edit_ = nullptr;
    QMenu* menu_ = nullptr;
    std::function<void(const QPoint&)> popupHandler_;
    // Model offsets of the CR of every CR LF, and where each stands in the view.
    std::vector<uint32_t> breaks_;
    std::vector<uint32_t> viewBreaks_;
    std::vector<std::pair<richtext::CharFormat, QTextCharFormat>> formatCache_;
    bool contentDirty_ = false;
    bool selectionDirty_ = false;
    bool flushQueued_ = false;
    bool syncing_ = false;
    int rebuilds_ = 0;
};
