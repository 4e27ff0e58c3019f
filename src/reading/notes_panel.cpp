#include "reading/notes_panel.h"

#include "reading/reading_view.h"
#include "reading/rich_text_pane.h"
#include "shell/shell.h"
#include "reading/verse_renderer.h"
#include "ui/panel_support.h"
#include "ui/wrap_check_box.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NotesPanel::NotesPanel(QLabel* lblNotes, RichTextPane* rtfFootnote, QWidget* parent)
    : PanelFrame(QStringLiteral("frameFootnotes"), parent), caption_(lblNotes), pane_(rtfFootnote)
{
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    caption_->setBuddy(pane_);
    save_ = ui::named(new QPushButton(QStringLiteral("UPDATE MY NOTES"), this), QStringLiteral("cmdYN"));
    save_->setMinimumWidth(save_->sizeHint().width() + 24);
    dispFN_ = ui::named(new WrapCheckBox(QStringLiteral("Do not display footnotes with verses"), this),
                        QStringLiteral("dispFN"));
    // A note is typed, not pasted with someone else's fonts.
    pane_->setPlainPaste(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save_);
    buttons->addStretch(1);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(10, 8, 10, 10);
    box->setSpacing(8);
    box->addWidget(caption_);
    box->addWidget(pane_, 1);
    box->addLayout(buttons);
    box->addWidget(dispFN_);
    setMode(Mode::Footnotes);
}

NotesPanel& NotesPanel::of(Shell& main)
{
    if (auto* existing = main.window().findChild<NotesPanel*>(QStringLiteral("frameFootnotes")))
        return *existing;
    ReadingView& r = main.reading();
    auto* panel = new NotesPanel(r.lblNotes(), r.rtfFootnote());
    main.installPanel(panel);
    for (auto* other : main.window().findChildren<QAbstractButton*>(QStringLiteral("dispFN")))
        panel->mirrorDispFN(other);
    return *panel;
}

void NotesPanel::setMode(Mode mode)
{
    if (mode != mode_)
        emit leavingMode(mode_);
    mode_ = mode;
    const bool notes = mode == Mode::Notes;
    caption_->setText(ui::qs(notes ? reading::kNotesCaption : reading::kFootnotesCaption));
    pane_->setReadOnly(!notes);
    save_->setVisible(notes);
    setDefaultButton(notes ? save_ : nullptr);
}

void NotesPanel::mirrorDispFN(QAbstractButton* other)
{
    if (!other || other == dispFN_)
        return;
    dispFN_->setChecked(other->isChecked());
    connect(other, &QAbstractButton::toggled, dispFN_, [this](bool on) {
        if (dispFN_->isChecked() != on)
            dispFN_->setChecked(on);
    });
    connect(dispFN_, &QAbstractButton::toggled, other, [other](bool on) {
        if (other->isChecked() != on)
            other->setChecked(on);
    });
}
