#include "reading/navigation.h"

#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "shell/prompter.h"
#include "db/numeric.h"
#include "db/recordset.h"
#include "reading/auto_scroll.h"
#include "reading/companion_texts.h"
#include "reading/go_to_verse_panel.h"
#include "reading/navigation_logic.h"
#include "reading/reading_view.h"
#include "reading/verse_format.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>

#include <algorithm>
#include <optional>
#include <chrono>

namespace {

bool isMode(Shell& m, ListMode mode) { return m.reading().mode() == mode; }

// The lowest and highest verse number stored for a sura.
std::optional<std::pair<int, int>> verseSpan(db::Database& db, int sura)
{
    db::Recordset rs;
    if (!rs.open("SELECT MIN(VERSE), MAX(VERSE) FROM ZOVR WHERE SURA=" + std::to_string(sura), db) || rs.eof() ||
        rs.field(0).isNull() || rs.field(1).isNull())
        return std::nullopt;
    return std::pair{static_cast<int>(rs.field(0).toInt()), static_cast<int>(rs.field(1).toInt())};
}

}  // namespace

Navigation::Navigation(Shell& main) : QObject(&main.window()), main_(main)
{
    setObjectName(QStringLiteral("Navigation"));
}

Navigation::~Navigation()
{
    // Stop watching before the verse list can send this anything more.
    if (watched_) {
        watched_->removeEventFilter(this);
        watched_->viewport()->removeEventFilter(this);
    }
}

QListWidget* Navigation::list() const { return main_.reading().verseList(); }

void Navigation::install()
{
    const std::pair<QLatin1String, void (Navigation::*)()> commands[] = {
        {cmd::sqCh_Click, &Navigation::sqCh_Click},
        {cmd::cmdRandom_Click, &Navigation::cmdRandom_Click},
        {cmd::Command5_Click, &Navigation::Command5_Click},
        {cmd::Command15_Click, &Navigation::Command15_Click},
        {cmd::mnuGoToVerse_Click, &Navigation::mnuGoToVerse_Click},
        {cmd::mnuJumpCursor_Click, &Navigation::mnuJumpCursor_Click},
        {cmd::mnuChroOrder_Click, &Navigation::mnuChroOrder_Click},
        {cmd::sqRv_Click, &Navigation::sqRv_Click},
        {cmd::Command8_Click, &Navigation::Command8_Click},
        {cmd::Command9_Click, &Navigation::Command9_Click},
    };
    for (const auto& [name, command] : commands)
        main_.setCommand(name, [this, command] { (this->*command)(); });
    main_.setVerseListKeyHandler([this](int key, Qt::KeyboardModifiers m) { VerseList_KeyUp(key, m); });

    goToVerse_ = new GoToVersePanel;
    main_.installPanel(goToVerse_);
    connect(goToVerse_->txtSuraNumber(), &QLineEdit::textChanged, this, [this] { txtSuraNumber_Change(); });
    main_.bindButton(goToVerse_->Command15(), cmd::Command15_Click);

    autoScroll_ = new AutoScroll(main_, *this);
    autoScroll_->install();

    QListWidget* l = list();
    watched_ = l;
    l->installEventFilter(this);
    l->viewport()->installEventFilter(this);
    // The check boxes only show which entries are selected: a click on one
    // selects or unselects its entry like a click anywhere on the entry, and
    // must not toggle the box on its own.
    auto displayOnlyChecks = [l](int first, int last) {
        for (int r = first; r <= last; ++r)
            if (QListWidgetItem* item = l->item(r))
                item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    };
    displayOnlyChecks(0, l->count() - 1);
    connect(l->model(), &QAbstractItemModel::rowsInserted, this,
            [displayOnlyChecks](const QModelIndex&, int first, int last) { displayOnlyChecks(first, last); });
    // Checking or unchecking an entry, by the reader or by a command.
    connect(l->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& on, const QItemSelection& off) {
                for (const auto& range : {on, off})
                    for (const QModelIndex& i : range.indexes())
                        VerseList_ItemCheck(i.row());
            });
    connect(l, &QListWidget::itemPressed, this,
            [this](QListWidgetItem*) { VerseList_MouseDown(pressButton_, pressIndex_); });
}

bool Navigation::isNavigationKey(int key)
{
    switch (key) {
    case 0:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

int Navigation::currentIndex() const { return list()->currentRow(); }

void Navigation::setChecked(int index, bool on)
{
    if (QListWidgetItem* item = list()->item(index))
        item->setSelected(on);
}

// ---------------------------------------------------------------- choosing a sura

void Navigation::sqCh_Change()
{
    QComboBox* box = main_.sqCh();
    if (box->currentIndex() == 0) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(1);
    }
    ReadingView& r = main_.reading();
    r.showMSG();
    r.setMode(ListMode::Verses);
    r.showVerseButtons();
    main_.state().wideReading = 0;
    main_.Form_Resize();
    OpenSura();
}

void Navigation::OpenSura()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    const int sura = main_.sqCh()->currentIndex();
    r.VerseMode();
    getVerseCount(sura);
    if (s.generalRs.open("select RvOrder from SuraTable where ChOrder=" + std::to_string(sura), s.connection) &&
        !s.generalRs.eof())
        s.revelationOrderText = "Sura Revelation Order = " + s.generalRs.field(0).toString();
    s.generalRs.close();
    r.showVerse(sura, 0);
    r.OpenVerse();
    VerseList_KeyUp(0);
    setChecked(currentIndex(), false);
}

void Navigation::getVerseCount(int sura)
{
    MainState& s = main_.state();
    QListWidget* l = list();
    s.verseRs.close();
    // The list's check events do nothing until this is done, even if it throws.
    std::optional<QScopedValueRollback<bool>> quiet(std::in_place, s.loadingList, true);
    l->clear();
    if (const auto span = verseSpan(s.connection, sura)) {
        QStringList entries;
        for (int v = span->first; v <= span->second; ++v)
            entries << QString::number(v);
        l->addItems(entries);
    }
    // A sura opens at its first verse, so that choosing one shows it at once
    // and the keys and auto-scroll go on from there.
    l->setCurrentRow(l->count() > 0 ? 0 : -1, QItemSelectionModel::NoUpdate);
    quiet.reset();
    if (s.startFlag == 1 && l->count() > 0) {
        const int pick = static_cast<int>((l->count() - 1) * s.nextRandom());
        l->setCurrentRow(pick, QItemSelectionModel::NoUpdate);
        VerseList_KeyUp(0);
        s.curVerseIdx = currentIndex();
        s.startFlag = 0;
    }
}

void Navigation::cmdRandom_Click()
{
    MainState& s = main_.state();
    s.random.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    main_.chooseRandomSura();
}

// ---------------------------------------------------------------- jumps

void Navigation::Command5_Click()
{
    main_.showSidePanel(QStringLiteral("frameGoToVerse"));
    // The count may be stale: the box was restored before the text opened.
    txtSuraNumber_Change();
    goToVerse_->txtSuraNumber()->setFocus(Qt::OtherFocusReason);
}

void Navigation::txtSuraNumber_Change()
{
    MainState& s = main_.state();
    typedSuraLastVerse_.reset();
    // Only a whole number goes into the statement; anything else has no count.
    if (const auto sura = db::wholeNumber(goToVerse_->txtSuraNumber()->text().toStdString())) {
        if (s.footnoteRs.open("select max(verse) from zovr where sura=" + std::to_string(*sura), s.connection) &&
            !s.footnoteRs.eof() && !s.footnoteRs.field(0).isNull())
            typedSuraLastVerse_ = s.footnoteRs.field(0).toInt();
    }
    goToVerse_->lblVerseCn()->setText(QString::fromStdString(reading::verseCountCaption(typedSuraLastVerse_)));
}

void Navigation::Command15_Click()
{
    txtSuraNumber_Change();
    QLineEdit* verseBox = goToVerse_->txtVerseNumber();
    const auto request = reading::checkGoToVerse(goToVerse_->txtSuraNumber()->text().toStdString(),
                                                 verseBox->text().toStdString(), typedSuraLastVerse_);
    const QString verseText = QString::fromStdString(request.verseText);
    if (verseBox->text() != verseText)
        verseBox->setText(verseText);
    if (request.target && JumpToVerse(QString::fromStdString(request.target->display()))) {
        main_.leftframeclose_Click();
        return;
    }
    main_.prompter().information(QStringLiteral("Sura and/or Verse Numbers not entered correctly"));
}

bool Navigation::JumpToVerse(const QString& reference)
{
    const auto ref = reading::parseJumpReference(reference.toStdString());
    if (!ref || ref->sura < 1 || ref->sura >= main_.sqCh()->count())
        return false;
    // Only a verse that is there: otherwise the reader would be left with
    // another sura and nothing shown.
    const auto span = verseSpan(main_.state().connection, ref->sura);
    if (!span || ref->verse < span->first || ref->verse > span->second)
        return false;
    main_.setSuraIndex(ref->sura);
    list()->setCurrentRow(reading::verseListIndex(*ref), QItemSelectionModel::NoUpdate);
    VerseList_KeyUp(0);
    return true;
}

void Navigation::mnuGoToVerse_Click()
{
    QListWidgetItem* item = list()->currentItem();
    if (!item || !JumpToVerse(item->text()))
        return;
    main_.reading().showGoBack();
}

void Navigation::mnuJumpCursor_Click()
{
    richtext::RichTextDocument& pane = main_.reading().text();
    if (const auto run = reading::referenceAtCaret(pane.text16(), pane.selStart())) {
        pane.select(run->start, run->length);
        if (run->ref && JumpToVerse(QString::fromStdString(run->ref->display())))
            return;
    }
    main_.prompter().plain(QStringLiteral("Location invalid"));
}

void Navigation::mnuChroOrder_Click()
{
    main_.showSidePanel(QStringLiteral("frameRev"));
    main_.sqRv()->setFocus(Qt::OtherFocusReason);
}

void Navigation::sqRv_Click()
{
    const QListWidgetItem* item = main_.sqRv()->currentItem();
    if (!item)
        return;
    // Characters 6 to 9 of an entry hold the sura number.
    if (const auto sura = db::wholeNumber(item->text().mid(5, 4).toStdString()))
        main_.setSuraIndex(static_cast<int>(*sura));
}

// ---------------------------------------------------------------- result pages

namespace {

void turnPage(Shell& main, const reading::PageTurn& turn)
{
    MainState& s = main.state();
    QListWidget* l = main.reading().verseList();
    // The list's check events do nothing until this is done, even if it throws.
    std::optional<QScopedValueRollback<bool>> quiet(std::in_place, s.loadingList, true);
    for (const auto& range : turn.uncheck)
        for (int k = range.first; k <= range.last; ++k)
            if (QListWidgetItem* item = l->item(k))
                item->setSelected(false);
    for (int k = turn.check.first; k <= turn.check.last; ++k)
        if (QListWidgetItem* item = l->item(k))
            item->setSelected(true);
    s.resultPicked = turn.picked;
    quiet.reset();
    if (QListWidgetItem* first = l->item(turn.check.first))
        l->scrollToItem(first, QAbstractItemView::PositionAtTop);
    main.reading().OpenVerse();
}

}  // namespace

void Navigation::Command8_Click()
{
    turnPage(main_, reading::nextResultPage(main_.state().resultPicked, list()->count()));
}

void Navigation::Command9_Click()
{
    turnPage(main_, reading::firstResultPage(main_.state().resultPicked, list()->count()));
}

// ---------------------------------------------------------------- the verse list

void Navigation::VerseList_ItemCheck(int index)
{
    MainState& s = main_.state();
    if (isMode(main_, ListMode::Pages)) {
        if (QListWidgetItem* item = list()->item(index); item && item->isSelected() && index == currentIndex()) {
            s.prompter->information(QStringLiteral("Selection possible only in Verses"));
            item->setSelected(false);
        }
        return;
    }
    if (isMode(main_, ListMode::Verses)) {
        s.curVerseIdx = -1;
        return;
    }
    if (isMode(main_, ListMode::Result)) {
        s.curVerseIdx = -1;
        if (!s.loadingList) {
            s.curVerseIdx = currentIndex();
            main_.reading().OpenVerse();
        }
    }
}

bool Navigation::eventFilter(QObject* watched, QEvent* event)
{
    // Only the list it watches, and only while it stands: never reach
    // through the window for it here.
    QListWidget* l = watched_;
    if (!l)
        return QObject::eventFilter(watched, event);
    if (watched == l->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        QListWidgetItem* item = l->itemAt(e->position().toPoint());
        if (e->button() == Qt::RightButton) {
            // The right button opens the result list's menu on the entry
            // under the pointer; it does not check or uncheck anything.
            if (item)
                l->setCurrentItem(item, QItemSelectionModel::NoUpdate);
            VerseList_MouseDown(Qt::RightButton, main_.state().curVerseIdx);
            return true;
        }
        // The entry is checked or unchecked by the list itself; the rest of
        // the click runs once it has (itemPressed), with the index the
        // list had before.
        pressIndex_ = main_.state().curVerseIdx;
        pressButton_ = e->button();
    } else if (watched == l && event->type() == QEvent::KeyPress) {
        // Left and Right step through the list like Up and Down (a list of
        // one column has nowhere else to go).
        auto* e = static_cast<QKeyEvent*>(event);
        const int step = e->key() == Qt::Key_Right ? 1 : e->key() == Qt::Key_Left ? -1 : 0;
        if (step != 0 && l->count() > 0 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            l->setCurrentRow(std::clamp(l->currentRow() + step, 0, l->count() - 1), QItemSelectionModel::NoUpdate);
            return true;
        }
    } else if (watched == l && event->type() == QEvent::KeyRelease) {
        // The window hands over single key releases; while a navigation key
        // is held, each repeat shows the next verse too, so holding Down
        // reads on.
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->isAutoRepeat() && isNavigationKey(e->key()))
            VerseList_KeyUp(e->key(), e->modifiers());
    }
    return QObject::eventFilter(watched, event);
}

void Navigation::VerseList_MouseDown(Qt::MouseButton button, int previousIndex)
{
    MainState& s = main_.state();
    if (button == Qt::LeftButton && isMode(main_, ListMode::Pages)) {
        showFrontMatterPage();
    } else if (button == Qt::LeftButton && isMode(main_, ListMode::Verses)) {
        if (previousIndex != currentIndex())
            setChecked(previousIndex, false);
        s.curVerseIdx = currentIndex();
        main_.reading().OpenVerse();
    } else if (button == Qt::RightButton && isMode(main_, ListMode::Result)) {
        if (QMenu* menu = main_.popupMenu(QStringLiteral("mnuPopup1")))
            menu->popup(QCursor::pos());
    }
}

void Navigation::showFrontMatterPage()
{
    MainState& s = main_.state();
    QListWidgetItem* item = list()->currentItem();
    if (!item)
        return;
    auto page = db::wholeNumber(item->text().toStdString());
    if (!page)
        return;
    if (const auto matter = reading::frontMatterPage(s.connection, *page))
        main_.reading().text().setRtf(*matter);
}

void Navigation::VerseList_KeyUp(int key, Qt::KeyboardModifiers modifiers)
{
    (void)modifiers;
    if (!isNavigationKey(key)) {
        // The window's keys work wherever the focus is, the verse list
        // included; the window does not see keys released here itself, so
        // each reaches it once, from here.
        main_.Form_KeyUp(key);
        return;
    }
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    QListWidget* l = list();
    if (isMode(main_, ListMode::Pages)) {
        showFrontMatterPage();
        return;
    }
    if (!isMode(main_, ListMode::Verses)) {
        r.OpenVerse();
        return;
    }
    const int n = l->count();
    const int c = s.curVerseIdx;
    QComboBox* suras = main_.sqCh();
    const int lastSura = suras->count() - 1;
    if (n > 0 && c == n - 1 && (key == Qt::Key_Right || key == Qt::Key_Down)) {
        main_.setSuraIndex(suras->currentIndex() >= lastSura ? 1 : suras->currentIndex() + 1);
        // Reading runs on at the first verse of the next sura.
        l->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    } else if (c == 0 && (key == Qt::Key_Left || key == Qt::Key_Up)) {
        main_.setSuraIndex(suras->currentIndex() <= 1 ? lastSura : suras->currentIndex() - 1);
        // … and back at the last verse of the previous one.
        l->setCurrentRow(l->count() - 1, QItemSelectionModel::NoUpdate);
        setChecked(l->count() - 1, true);
    }
    setChecked(s.curVerseIdx, false);
    setChecked(currentIndex(), true);
    s.curVerseIdx = currentIndex();
    r.OpenVerse();
}
