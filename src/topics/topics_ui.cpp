#include "topics/topics_ui.h"

#include "core/file_exists.h"
#include "db/database.h"
#include "reading/go_to_verse_panel.h"
#include "reading/navigation.h"
#include "reading/reading_view.h"
#include "search/search_ui.h"
#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/prompter.h"
#include "shell/shell.h"
#include "topics/backup_panel.h"
#include "topics/collection.h"
#include "topics/notes.h"
#include "reading/notes_panel.h"
#include "topics/topics_panel.h"
#include "ui/panel_support.h"
#include "ui/wrap_check_box.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>

#include <filesystem>

using ui::qs;

namespace {

const QString kCollectionFilter = QStringLiteral("Collections (*.mdb *.db *.sqlite);;All files (*)");

std::filesystem::path pathOf(const QString& text) { return std::filesystem::path(text.toStdString()); }

}  // namespace

TopicsUi::TopicsUi(Shell& main, Navigation& navigation, SearchUi* search)
    : QObject(&main.window()), main_(main), navigation_(navigation), search_(search)
{
    setObjectName(QStringLiteral("TopicsUi"));
}

void TopicsUi::install()
{
    ReadingView& r = main_.reading();
    topics_ = new TopicsPanel;
    main_.installPanel(topics_);
    notes_ = &NotesPanel::of(main_);
    backup_ = new BackupPanel;
    main_.installPanel(backup_);

    main_.bindButton(topics_->cmdOpenTopic(), cmd::cmdOpenTopic_Click);
    main_.bindButton(topics_->cmdNewTopic(), cmd::cmdNewTopic_Click);
    main_.bindButton(topics_->cmdDeleteTopic(), cmd::cmdDeleteTopic_Click);
    main_.bindButton(topics_->cmdInsertVerse(), cmd::cmdInsertVerse_Click);
    main_.bindButton(topics_->cmdDeleteVerse(), cmd::cmdDeleteVerse_click);
    main_.bindButton(notes_->cmdYN(), cmd::cmdYN_Click);
    main_.bindButton(backup_->cmd1(), cmd::cmd1_Click);
    main_.bindButton(backup_->Command29(), cmd::Command29_Click);
    // A click on a topic shows it; so do the arrow keys, as the list moves.
    connect(topics_->lstTopics(), &QListWidget::itemClicked, this, [this] { lstTopics_Click(); });
    topics_->lstTopics()->installEventFilter(this);

    if (GoToVersePanel* go = navigation_.goToVersePanel()) {
        main_.bindButton(go->cmdAddFav(), cmd::cmdAddFav_Click);
        connect(go->versefav(), &QListWidget::itemDoubleClicked, this, [this] { versefav_DblClick(); });
        go->versefav()->installEventFilter(this);
    }
    connect(&r, &ReadingView::aboutToDisplay, this, [this] { keepUnsavedNote(); });
    // The footnotes taking the pane over is the last chance to keep a note.
    connect(notes_, &NotesPanel::leavingMode, this, [this](NotesPanel::Mode left) {
        if (left == NotesPanel::Mode::Notes)
            keepUnsavedNote();
    });
    connect(&r, &ReadingView::displayed, this, [this] { loadNote(); });

    const std::initializer_list<std::pair<QLatin1String, Shell::Command>> commands = {
        {cmd::Command7_Click, [this] { Command7_Click(); }},
        {cmd::cmdOpenTopic_Click, [this] { cmdOpenTopic_Click(); }},
        {cmd::cmdNewTopic_Click, [this] { cmdNewTopic_Click(); }},
        {cmd::cmdDeleteTopic_Click, [this] { cmdDeleteTopic_Click(); }},
        {cmd::cmdInsertVerse_Click, [this] { cmdInsertVerse_Click(); }},
        {cmd::cmdDeleteVerse_click, [this] { cmdDeleteVerse_click(); }},
        {cmd::cmdYourNote_Click, [this] { cmdYourNote_Click(); }},
        {cmd::cmdYN_Click, [this] { cmdYN_Click(); }},
        {cmd::mnuNotesTopics_Click, [this] { mnuNotesTopics_Click(); }},
        {cmd::cmd1_Click, [this] { cmd1_Click(); }},
        {cmd::Command29_Click, [this] { Command29_Click(); }},
        {cmd::cmdAddFav_Click, [this] { cmdAddFav_Click(); }},
    };
    for (const auto& [name, command] : commands)
        main_.setCommand(name, command);
}

// ---------------------------------------------------------------- helpers

std::vector<topics::ListItem> TopicsUi::listItems() const
{
    QListWidget* list = main_.reading().verseList();
    std::vector<topics::ListItem> items;
    items.reserve(static_cast<size_t>(list->count()));
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        items.push_back({item->text().toStdString(), item->isSelected()});
    }
    return items;
}

int TopicsUi::openSura() const { return main_.sqCh()->currentIndex(); }

std::optional<std::string> TopicsUi::selectedTopic() const
{
    const auto selected = topics_->lstTopics()->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.front()->text().toStdString();
}

bool TopicsUi::told(const topics::Outcome& outcome)
{
    if (outcome.ok)
        return true;
    main_.prompter().information(qs(outcome.message));
    return false;
}

void TopicsUi::fillTopicList(int select)
{
    QListWidget* list = topics_->lstTopics();
    const QSignalBlocker quiet(list);
    list->clear();
    for (const auto& name : topicList_.names())
        list->addItem(qs(name));
    if (select >= 0 && select < list->count())
        list->setCurrentRow(select, QItemSelectionModel::ClearAndSelect);
}

void TopicsUi::rereadVerseRows()
{
    MainState& s = main_.state();
    if (!s.verseRs.isOpen())
        return;
    const std::string sql = s.verseRs.source();
    s.verseRs.open(sql, s.connection);
}

// ---------------------------------------------------------------- topics

void TopicsUi::Command7_Click()
{
    main_.showSidePanel(topics_->objectName());
    // The list is read once a run; the topic commands keep it up to date.
    if (!topicList_.loaded())
        showTopics();
    topics_->lstTopics()->setFocus(Qt::OtherFocusReason);
}

void TopicsUi::showTopics()
{
    const auto kept = selectedTopic();
    told(topicList_.reload(main_.state().connection));
    fillTopicList(kept ? topicList_.indexOf(*kept) : -1);
}

void TopicsUi::cmdOpenTopic_Click()
{
    const auto name = selectedTopic();
    if (!name)
        return;
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    const auto verses = topics::topicVerses(s.connection, *name);
    if (!told(verses.outcome))
        return;

    QListWidget* list = r.verseList();
    {
        // The list's check events do nothing until it is filled, even if this throws.
        const QScopedValueRollback<bool> quiet(s.loadingList, true);
        if (search_)
            search_->setResultRows({});
        r.showMSG();
        list->clear();
        r.setMode(ListMode::Result);
        r.showResultButtons();
        // The search's categories filter the search's rows, not a topic's.
        r.showCategories(false);
        QStringList items;
        items.reserve(static_cast<qsizetype>(verses.value.size()));
        for (const auto& v : verses.value)
            items << qs(v.display());
        list->addItems(items);
        // Every verse of a topic is checked, so the topic opens whole.
        list->selectAll();
        s.resultPicked = list->count();
        s.keepHeader = false;
        s.wideReading = 0;
    }
    r.text().clear();
    list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    // A changed note is dealt with first: the display below reads its many
    // verses in one read transaction, which a write must not join.
    keepUnsavedNote();
    {
        const db::ReadTogether reading(s.connection);
        r.OpenVerse();
    }
    list->setFocus(Qt::OtherFocusReason);
}

void TopicsUi::cmdNewTopic_Click()
{
    const std::optional<QString> answer =
        main_.prompter().input(qs(topics::kNewTopicPrompt), qs(topics::kNewTopicTitle));
    std::optional<std::string> typed;
    if (answer)
        typed = answer->toStdString();
    // Cancel or a blank name makes no topic; a name already listed is chosen again.
    const std::optional<int> index = topicList_.create(typed);
    if (!index)
        return;
    fillTopicList(*index);
    lstTopics_Click();
}

void TopicsUi::cmdDeleteTopic_Click()
{
    const auto name = selectedTopic();
    if (!name || !main_.prompter().askYesNo(qs(topics::kConfirmDeleteTopic)))
        return;
    const topics::Outcome o = topics::deleteTopic(main_.state().connection, *name);
    if (!told(o))
        return;
    topics_->lblReport()->setText(qs(o.message));
    topics_->lstTopics()->clearSelection();
    showTopics();
    const QScopedValueRollback<bool> quiet(main_.state().loadingList, true);
    main_.reading().verseList()->clear();
}

void TopicsUi::cmdInsertVerse_Click()
{
    const auto name = selectedTopic();
    if (!name)
        return;
    const auto verses = topics::checkedVerses(listItems(), openSura());
    if (verses.empty())
        return;
    const topics::Outcome o = topics::insertVerses(main_.state().connection, *name, verses);
    if (told(o))
        topics_->lblReport()->setText(qs(o.message));
}

void TopicsUi::cmdDeleteVerse_click()
{
    const auto name = selectedTopic();
    const auto items = listItems();
    const std::string_view refusal = topics::removeVersesRefusal(name.has_value(), items);
    if (!refusal.empty()) {
        main_.prompter().information(qs(refusal));
        return;
    }
    const auto verses = topics::checkedVerses(items, openSura());
    if (!verses.empty()) {
        const topics::Outcome o = topics::removeVerses(main_.state().connection, *name, verses);
        if (!told(o))
            return;
        topics_->lblReport()->setText(qs(o.message));
    }
    cmdOpenTopic_Click();
}

// ---------------------------------------------------------------- notes

void TopicsUi::cmdYourNote_Click()
{
    notes_->dispFN()->setChecked(false);
    const bool closed = topics::notesPanelClosed(!notes_->isHidden(), main_.leftFrameExpanded() ? 0 : topics::kCollapsedLeftWidth,
                                                 notes_->lblNotes()->text().toStdString());
    ReadingView& r = main_.reading();
    QListWidget* list = r.verseList();
    if (closed) {
        keepUnsavedNote();
        noteVerse_.reset();
        notes_->setMode(NotesPanel::Mode::Notes);
        main_.showSidePanel(notes_->objectName());
        r.rtfFootnote()->model().clear();
    } else {
        main_.SquezeLeftFrame();
    }
    r.showCurrentEntry();
    if (closed)
        r.rtfFootnote()->setFocus(Qt::OtherFocusReason);
    else
        list->setFocus(Qt::OtherFocusReason);
}

void TopicsUi::loadNote()
{
    noteVerse_.reset();
    if (notes_->mode() != NotesPanel::Mode::Notes)
        return;
    const topics::NoteTarget target = topics::noteTarget(listItems(), openSura());
    if (!target.verse)
        return;
    const auto note = topics::readNote(main_.state().connection, *target.verse);
    if (!note.ok())
        return;
    auto& pane = notes_->rtfFootnote()->model();
    pane.setText(note.value);
    noteVerse_ = target.verse;
    noteStored_ = note.value;
    noteShown_ = pane.text();
}

void TopicsUi::keepUnsavedNote()
{
    if (notes_->mode() != NotesPanel::Mode::Notes || !noteVerse_)
        return;
    const std::string text = notes_->rtfFootnote()->model().text();
    if (text == noteShown_)
        return;
    const db::VerseRef verse = *noteVerse_;
    noteVerse_.reset();
    Prompter& p = main_.prompter();
    if (!p.askYesNo(QStringLiteral("Save the changes to your note on %1?").arg(qs(verse.display()))))
        return;
    const topics::Outcome o = topics::writeNote(main_.state().connection, verse, text);
    if (o.ok) {
        rereadVerseRows();
        return;
    }
    // The editor is about to show another note: the words go to the clipboard.
    QGuiApplication::clipboard()->setText(qs(text));
    p.information(qs(o.message) + QStringLiteral("\n\nThe text of your note is on the clipboard."));
}

void TopicsUi::cmdYN_Click()
{
    if (notes_->mode() != NotesPanel::Mode::Notes) {
        notes_->cmdYN()->hide();
        return;
    }
    const topics::NoteTarget target = topics::noteTarget(listItems(), openSura());
    if (!target.message.empty()) {
        main_.prompter().information(qs(target.message));
        return;
    }
    if (!target.verse)
        return;
    std::string text = notes_->rtfFootnote()->model().text();
    // Untouched, the note goes back as it was stored.
    if (noteVerse_ == target.verse && text == noteShown_)
        text = noteStored_;
    if (!told(topics::writeNote(main_.state().connection, *target.verse, text)))
        return;
    noteVerse_ = target.verse;
    noteStored_ = text;
    noteShown_ = notes_->rtfFootnote()->model().text();
    rereadVerseRows();
}

// ---------------------------------------------------------------- collections

void TopicsUi::mnuNotesTopics_Click()
{
    main_.showSidePanel(backup_->objectName());
    backup_->option(BackupPanel::Choice::Add)->setFocus(Qt::OtherFocusReason);
}

void TopicsUi::cmd1_Click()
{
    const BackupPanel::Choice choice = backup_->choice();
    Prompter& p = main_.prompter();
    const QString start = backup_->txtFile()->text();
    const QString file = choice == BackupPanel::Choice::Backup
                             ? p.saveFileName(QStringLiteral("Save Your Notes to"), start, kCollectionFilter)
                             : p.openFileName(backup_->frm1()->title(), start, kCollectionFilter);
    if (!file.isEmpty())
        backup_->txtFile()->setText(file);
}

topics::Outcome TopicsUi::runCollection()
{
    MainState& s = main_.state();
    Prompter& p = main_.prompter();
    const QString typed = backup_->txtFile()->text();
    const std::filesystem::path file = pathOf(typed);
    const auto fileThere = [&] {
        if (FileExists(typed.toStdString()))
            return true;
        p.information(qs(topics::kFileMissing));
        return false;
    };
    switch (backup_->choice()) {
    case BackupPanel::Choice::Add:
        if (!fileThere())
            return {};
        return topics::mergeCollection(s.connection, file);
    case BackupPanel::Choice::Backup: {
        if (typed.trimmed().isEmpty()) {
            p.information(qs(topics::kEnterFileName));
            return {};
        }
        const auto templ = topics::collectionTemplate(s.programFolder);
        topics::BackupOutcome o = topics::backupCollection(s.connection, templ, file, false);
        if (o.fileExists) {
            if (!p.askYesNo(qs(topics::confirmReplaceQuestion(file))))
                return {};
            o = topics::backupCollection(s.connection, templ, file, true);
        }
        return o;
    }
    case BackupPanel::Choice::Restore: {
        if (!fileThere())
            return {};
        // A file that is no collection is said so before the question.
        if (const topics::Outcome check = topics::checkCollection(file); !check)
            return check;
        if (!p.askYesNo(qs(topics::kConfirmRestore)))
            return {};
        return topics::restoreCollection(s.connection, file);
    }
    case BackupPanel::Choice::Erase:
        if (!p.askYesNo(qs(topics::kConfirmErase)))
            return {};
        return topics::eraseCollection(s.connection);
    }
    return {};
}

void TopicsUi::Command29_Click()
{
    keepUnsavedNote();
    const topics::Outcome o = runCollection();
    // A run that stopped at a question or a notice changes nothing to report.
    if (o.ok && o.message.empty())
        return;
    backup_->setReport(qs(o.message), !o.ok);
    if (!told(o))
        return;
    refreshAfterCollection();
}

void TopicsUi::refreshAfterCollection()
{
    rereadVerseRows();
    if (topicList_.loaded())
        showTopics();
    // The note in the editor is the stored one again.
    if (notes_->mode() == NotesPanel::Mode::Notes)
        loadNote();
}

// ---------------------------------------------------------------- bookmarks

void TopicsUi::cmdAddFav_Click()
{
    ReadingView& r = main_.reading();
    const QListWidgetItem* item = r.verseList()->currentItem();
    topics::ListMode mode = topics::ListMode::Verses;
    if (r.mode() == ListMode::Result)
        mode = topics::ListMode::Result;
    else if (r.mode() != ListMode::Verses)
        mode = topics::ListMode::Pages;
    std::optional<std::string> text;
    if (item)
        text = item->text().toStdString();
    const auto entry = topics::bookmarkEntry(mode, text ? std::optional<std::string_view>(*text) : std::nullopt,
                                             openSura());
    if (!entry)
        return;
    bookmarks_.add(*entry);
    if (GoToVersePanel* go = navigation_.goToVersePanel())
        go->versefav()->addItem(qs(*entry));
}

bool TopicsUi::eventFilter(QObject* watched, QEvent* event)
{
    // Moving through the topics with the keys shows each one, as a click does.
    QListWidget* topicList = topics_ ? topics_->lstTopics() : nullptr;
    if (topicList && watched == topicList) {
        if (event->type() == QEvent::KeyPress)
            rowBeforeKey_ = topicList->currentRow();
        else if (event->type() == QEvent::KeyRelease && Navigation::isNavigationKey(static_cast<QKeyEvent*>(event)->key()) &&
                 topicList->currentRow() >= 0 && topicList->currentRow() != rowBeforeKey_) {
            rowBeforeKey_ = topicList->currentRow();
            lstTopics_Click();
        }
    }
    GoToVersePanel* go = navigation_.goToVersePanel();
    if (go && watched == go->versefav() && event->type() == QEvent::KeyPress &&
        PanelFrame::isPlainEnter(*static_cast<QKeyEvent*>(event)) && go->versefav()->currentItem()) {
        versefav_DblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TopicsUi::versefav_DblClick()
{
    GoToVersePanel* go = navigation_.goToVersePanel();
    if (!go)
        return;
    if (const auto target = bookmarks_.jumpTarget(go->versefav()->currentRow()))
        navigation_.JumpToVerse(qs(*target));
}
