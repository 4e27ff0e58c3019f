#include "reading/reading_view.h"

#include "shell/main_state.h"
#include "reading/richtext/codepage.h"
#include "reading/verse_format.h"
#include "ui/panel_support.h"
#include "ui/wrap_button.h"

#include <QApplication>
#include <QFont>

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <vector>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    // The list's buttons are as narrow as the list: long captions wrap.
    auto* b = new WrapButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// The caption above the verse list for each mode, and back.
std::string captionOf(ListMode mode)
{
    switch (mode) {
    case ListMode::Verses:
        return reading::kModeVerses;
    case ListMode::Result:
        return reading::kModeResult;
    case ListMode::Pages:
        return reading::kModePages;
    case ListMode::None:
        break;
    }
    return {};
}

ListMode modeOf(const std::string& caption)
{
    for (ListMode m : {ListMode::Verses, ListMode::Result, ListMode::Pages})
        if (caption == captionOf(m))
            return m;
    return ListMode::None;
}

}  // namespace

reading::RenderSession renderSession(MainState& s)
{
    return {s.connection, s.verseRs, s.footnoteRs, s.keepHeader, s.readAllVerses, s.revelationOrderText};
}

ReadingView::ReadingView(MainState& state, reading::DisplaySettings& display, reading::HighlightSettings& highlight,
                         QWidget* parent)
    : QObject(parent), state_(state), parent_(parent),
      msg_(new RichTextPane(parent, richtext::Font{"Arial", 0, "fswiss"}, 24)),
      rtfFootnote_(new RichTextPane(parent, richtext::Font{"Arial", 0, "fswiss"}, 20)),
      renderer_(renderSession(state), display, highlight, surface_, msg_->model(), rtfFootnote_->model(), fordata_)
{
    msg_->setObjectName(QStringLiteral("Msg"));
    msg_->setReadOnly(true);
    rtfFootnote_->setObjectName(QStringLiteral("rtfFootnote"));
    rtfFootnote_->setReadOnly(true);

    lblNotes_ = new QLabel(QString::fromLatin1(reading::kFootnotesCaption), parent);
    lblNotes_->setObjectName(QStringLiteral("lblNotes"));
    lblPage_ = new QLabel(QString::fromLatin1(reading::kModeVerses), parent);
    lblPage_->setObjectName(QStringLiteral("lblPage"));

    verseList_ = new QListWidget(parent);
    verseList_->setObjectName(QStringLiteral("VerseList"));
    verseList_->setSelectionMode(QAbstractItemView::MultiSelection);
    verseList_->setUniformItemSizes(true);
    // The list is a narrow column beside the reading pane: a compact font and
    // check box leave room for references such as "114:6".
    QFont small = verseList_->font();
    small.setPointSizeF(std::max(7.0, small.pointSizeF() - 1.0));
    verseList_->setFont(small);
    verseList_->setStyleSheet(QStringLiteral("QListWidget::indicator { width: 11px; height: 11px; }"));
    verseList_->setTextElideMode(Qt::ElideNone);
    connect(verseList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& on, const QItemSelection& off) {
                for (const QModelIndex& i : off.indexes())
                    verseList_->model()->setData(i, Qt::Unchecked, Qt::CheckStateRole);
                for (const QModelIndex& i : on.indexes())
                    verseList_->model()->setData(i, Qt::Checked, Qt::CheckStateRole);
            });
    // Every entry shows its check box, however it was added.
    connect(verseList_->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                for (int r = first; r <= last; ++r) {
                    QListWidgetItem* item = verseList_->item(r);
                    if (item)
                        item->setData(Qt::CheckStateRole, item->isSelected() ? Qt::Checked : Qt::Unchecked);
                }
            });

    cmbList_ = new QComboBox(parent);
    cmbList_->setObjectName(QStringLiteral("cmbList"));
    cmbList_->addItems({QStringLiteral("Verses"), QStringLiteral("Subtitles"), QStringLiteral("Footnotes"),
                        QStringLiteral("Appendices"), QStringLiteral("Front Matter"), QStringLiteral("Glossary"),
                        QStringLiteral("Index"), QStringLiteral("Titles"), QStringLiteral("Topics"),
                        QStringLiteral("All")});
    cmbList_->setCurrentIndex(0);

    command2_ = button(parent, "Command2", QStringLiteral("Show All"));
    command3_ = button(parent, "Command3", QStringLiteral("Clear"));
    command8_ = button(parent, "Command8", QStringLiteral("Show Next 50 Verses"));
    command9_ = button(parent, "Command9", QStringLiteral("Show First 50 Verses"));
    cmdGoBack_ = button(parent, "cmdGoBack", QStringLiteral("Back to the Search List"));
    surface_.showListButtons(reading::ReadingSurface::ListButtons::Verses);

    wb_ = new WebPane(parent);
    wb_->setObjectName(QStringLiteral("wb"));
    wb_->hide();

    for (int i = 0; i < 3; ++i) {
        status_[static_cast<size_t>(i)] = new QLabel(parent);
        status_[static_cast<size_t>(i)]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
    }
}

ReadingView::~ReadingView() = default;

QLabel* ReadingView::statusPanel(int panel) const
{
    return panel >= 1 && panel <= 3 ? status_[static_cast<size_t>(panel - 1)] : nullptr;
}

QString ReadingView::statusText(int panel) const
{
    const QLabel* l = statusPanel(panel);
    return l ? l->text() : QString();
}

namespace {

// Keeps the status bar as tall as its panels need: a panel too narrow for
// its text wraps it onto a second line instead of cutting it off, and the
// bar grows to show that line.
class StatusBarFitter : public QObject {
public:
    StatusBarFitter(QStatusBar* bar, std::vector<QLabel*> panels) : QObject(bar), bar_(bar), panels_(std::move(panels))
    {
        bar->installEventFilter(this);
        for (QLabel* l : panels_)
            l->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
            fit();
        return false;
    }

private:
    void fit()
    {
        int needed = 0;
        for (QLabel* l : panels_)
            if (l->width() > 0)
                needed = std::max(needed, l->heightForWidth(l->width()));
        needed = std::max(needed, bar_->fontMetrics().height()) + 6;
        if (needed != bar_->height() && needed != bar_->minimumHeight())
            bar_->setFixedHeight(needed);
    }

    QStatusBar* bar_;
    std::vector<QLabel*> panels_;
};

}  // namespace

void ReadingView::attachStatusBar(QStatusBar* bar)
{
    if (!bar)
        return;
    for (QLabel* l : status_) {
        // A panel never forces the window wider; it wraps instead.
        l->setWordWrap(true);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        bar->addWidget(l, 1);
    }
    bar->setFixedHeight(bar->fontMetrics().height() + 6);
    new StatusBarFitter(bar, {status_.begin(), status_.end()});
}

// ---- verbs --------------------------------------------------------------------

void ReadingView::setMode(ListMode mode)
{
    state_.listMode = mode;
    lblPage_->setText(QString::fromStdString(captionOf(mode)));
}

ListMode ReadingView::mode() const { return state_.listMode; }

void ReadingView::showVerseButtons()
{
    cmbList_->hide();
    command2_->show();
    command3_->show();
    command8_->hide();
    command9_->hide();
    cmdGoBack_->hide();
}

void ReadingView::showResultButtons()
{
    for (QPushButton* b : {command2_, command3_, command8_, command9_})
        b->show();
    cmdGoBack_->hide();
}

void ReadingView::showGoBack() { cmdGoBack_->show(); }

void ReadingView::showCategories(bool on) { cmbList_->setVisible(on); }

void ReadingView::setCategory(const QString& category) { cmbList_->setCurrentText(category); }

QString ReadingView::category() const { return cmbList_->currentText(); }

richtext::RichTextDocument& ReadingView::text() { return msg_->model(); }

void ReadingView::raiseText() { msg_->raise(); }

void ReadingView::focusText() { msg_->setFocus(Qt::OtherFocusReason); }

void ReadingView::showDocument(const QString& path)
{
    showWB();
    wb_->navigate(path);
}

void ReadingView::showWB()
{
    if (wb_->isHidden()) {
        wb_->show();
        wb_->navigate(QStringLiteral("about:blank"));
        msg_->hide();
        msg_->model().clear();
        for (QWidget* w : std::initializer_list<QWidget*>{cmbList_, verseList_, command2_, command3_, command8_,
                                                          command9_, cmdGoBack_})
            w->hide();
        setMode(ListMode::None);
    }
}

// ---- the surface the verse display reads and writes --------------------------

std::string ReadingView::Surface::lblPage() const
{
    return captionOf(v_.mode());
}

void ReadingView::Surface::setLblPage(const std::string& caption)
{
    v_.setMode(modeOf(caption));
}

std::string ReadingView::Surface::lblNotes() const
{
    return v_.lblNotes_->text().toStdString();
}

int ReadingView::Surface::verseCount() const
{
    return v_.verseList_->count();
}

std::string ReadingView::Surface::verseEntry(int index) const
{
    const QListWidgetItem* item = v_.verseList_->item(index);
    return item ? item->text().toStdString() : std::string();
}

bool ReadingView::Surface::verseChecked(int index) const
{
    const QListWidgetItem* item = v_.verseList_->item(index);
    return item && item->isSelected();
}

void ReadingView::Surface::showListButtons(ListButtons which)
{
    const bool verses = which == ListButtons::Verses;
    v_.showVerseButtons();
    v_.command2_->setVisible(verses);
    v_.command3_->setVisible(verses);
}

void ReadingView::Surface::setStatusText(int panel, const std::string& text)
{
    if (QLabel* l = v_.statusPanel(panel)) {
        l->setText(QString::fromStdString(text));
        // A narrow window cuts the panels short; the whole text is a hover away.
        l->setToolTip(l->text());
    }
}

void ReadingView::Surface::readAloud(const std::string& text)
{
    if (v_.readAloud_)
        v_.readAloud_(QString::fromStdString(text));
}

// ---- the procedures ----------------------------------------------------------

void ReadingView::OpenVerse()
{
    emit aboutToDisplay();
    // The window stays as it is until the display is complete; the panes
    // then follow in one update each.
    QWidget* window = parent_ ? parent_->window() : nullptr;
    const bool drawing = window && window->updatesEnabled();
    if (drawing)
        window->setUpdatesEnabled(false);
    renderer_.OpenVerse();
    emit displayed();
    if (drawing)
        window->setUpdatesEnabled(true);
}

void ReadingView::showVerse(int sura, int verse)
{
    emit aboutToDisplay();
    renderer_.showVerse(sura, verse);
    emit displayed();
    verseList_->setFocus();
}

void ReadingView::showCurrentEntry()
{
    if (QListWidgetItem* item = verseList_->currentItem())
        item->setSelected(true);
    state_.curVerseIdx = verseList_->currentRow();
    OpenVerse();
}

void ReadingView::showMSG()
{
    if (!msg_->isHidden())
        return;
    msg_->show();
    verseList_->show();
    wb_->hide();
    msg_->model().clear();
}

int ReadingView::HighlightText(QWidget* window, RichTextPane& pane, const QString& word, uint32_t colour,
                               bool allOccurrences, bool keepDrawing)
{
    const std::string w = word.toStdString();
    if (w.empty() || pane.model().indexOf16(richtext::utf8ToUtf16(w), 0) < 0)
        return 0;
    const bool suspend = !keepDrawing && window && window->updatesEnabled();
    if (suspend)
        window->setUpdatesEnabled(false);
    const int marked = [&] {
        const ui::WaitCursor wait;
        return reading::highlightText(pane.model(), w, colour, allOccurrences);
    }();
    if (suspend)
        window->setUpdatesEnabled(true);
    return marked;
}

std::vector<uint32_t> ReadingView::ReadColorTable(const RichTextPane& pane) const
{
    return reading::readColorTable(pane.model());
}

void ReadingView::flushViews()
{
    msg_->flush();
    rtfFootnote_->flush();
}
