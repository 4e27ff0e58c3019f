#include "reading/companions.h"

#include "core/program_folder.h"
#include "db/numeric.h"
#include "db/verse_ref.h"
#include "reading/list_panel.h"
#include "reading/navigation.h"
#include "reading/notes_panel.h"
#include "reading/reading_view.h"
#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/prompter.h"
#include "shell/shell.h"
#include "ui/panel_support.h"
#include "ui/wrap_check_box.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace fs = std::filesystem;
using ui::qs;

namespace {

constexpr int kFrontMatterPages = 7;

QString text(const fs::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

CompanionTexts::CompanionTexts(Shell& main, Navigation& navigation)
    : QObject(&main.window()), main_(main), navigation_(navigation)
{
    setObjectName(QStringLiteral("CompanionTexts"));
}

void CompanionTexts::install()
{
    list_ = new ListPanel;
    main_.installPanel(list_);
    notes_ = &NotesPanel::of(main_);
    main_.bindButton(list_->Command23(), cmd::Command23_Click);
    main_.bindButton(list_->Command14(), cmd::Command14_Click);
    // A click shows the whole entry as a tip; so does moving with the keys.
    connect(list_->lstList(), &QListWidget::currentRowChanged, this, [this] { lstList_Click(); });
    connect(list_->lstList(), &QListWidget::itemClicked, this, [this] { lstList_Click(); });
    // A double click goes to the verse, like the button under the list.
    connect(list_->lstList(), &QListWidget::itemActivated, this, [this] { Command14_Click(); });

    const std::pair<QLatin1String, void (CompanionTexts::*)()> commands[] = {
        {cmd::cmdContents_Click, &CompanionTexts::cmdContents_Click},
        {cmd::comboApp_Click, &CompanionTexts::comboApp_Click},
        {cmd::chkShowApp_Click, &CompanionTexts::chkShowApp_Click},
        {cmd::cmdProc_Click, &CompanionTexts::cmdProc_Click},
        {cmd::Command4_Click, &CompanionTexts::Command4_Click},
        {cmd::Command1_Click, &CompanionTexts::Command1_Click},
        {cmd::Command6_Click, &CompanionTexts::Command6_Click},
        {cmd::mnutut_Click, &CompanionTexts::mnutut_Click},
        {cmd::mnuListSubtitles_Click, &CompanionTexts::mnuListSubtitles_Click},
        {cmd::mnuListFootnotes_Click, &CompanionTexts::mnuListFootnotes_Click},
        {cmd::Command23_Click, &CompanionTexts::Command23_Click},
        {cmd::Command14_Click, &CompanionTexts::Command14_Click},
        {cmd::Command11_Click, &CompanionTexts::Command11_Click},
    };
    for (const auto& [name, command] : commands)
        main_.setCommand(name, [this, command] { (this->*command)(); });
}

std::string CompanionTexts::language(Shell& main)
{
    if (const auto* box = main.window().findChild<QComboBox*>(QStringLiteral("cmbLang")))
        if (!box->currentText().trimmed().isEmpty())
            return box->currentText().trimmed().toStdString();
    return main.state().language;
}

fs::path CompanionTexts::programFolder() const { return main_.state().programFolder; }

fs::path CompanionTexts::introductionFile() { return temporaryFolder() / "temp.html"; }

// ---------------------------------------------------------------- the web pane

void CompanionTexts::showWB()
{
    main_.reading().showWB();
}

bool CompanionTexts::passes(const reading::DocumentCheck& check)
{
    if (check.passes())
        return true;
    main_.prompter().information(qs(reading::kModifiedOrCorrupted));
    return false;
}

void CompanionTexts::openInWebPane(const fs::path& file)
{
    ReadingView& r = main_.reading();
    r.showDocument(text(file));
    r.wb()->setFocus(Qt::OtherFocusReason);
}

void CompanionTexts::cmdContents_Click()
{
    MainState& s = main_.state();
    s.generalRs.close();
    QComboBox* app = main_.comboApp();
    if (app->currentIndex() < 0 && app->count() > 0) {
        app->setCurrentIndex(0);
        comboApp_Click();
    }
    if (!passes(reading::checkContents(s.connection, programFolder(), language(main_))))
        return;
    // Without appendices in the text database the list stays empty; the
    // contents page still opens.
    const int index = app->currentIndex();
    if (app->count() == 0 || (index >= 0 && index < reading::kAppendixCount))
        openInWebPane(reading::contentsPath(programFolder(), language(main_)));
}

void CompanionTexts::comboApp_Click()
{
    MainState& s = main_.state();
    s.generalRs.close();
    QComboBox* app = main_.comboApp();
    if (app->currentIndex() < 0) {
        if (app->count() == 0)
            return;
        app->setCurrentIndex(0);
    }
    const auto number = reading::appendixNumberOf(app->currentText().toStdString());
    if (!number)
        return;
    if (!passes(reading::checkAppendix(s.connection, programFolder(), language(main_), *number)))
        return;
    const int index = app->currentIndex();
    if (index >= 0 && index < reading::kAppendixCount)
        openInWebPane(reading::appendixPath(programFolder(), language(main_), *number));
}

void CompanionTexts::chkShowApp_Click()
{
    auto* button = main_.window().findChild<QAbstractButton*>(QStringLiteral("chkShowApp"));
    QComboBox* app = main_.comboApp();
    if (!button)
        return;
    if (button->text() == QLatin1String("Appendices")) {
        app->show();
        main_.sqCh()->hide();
        button->setText(QStringLiteral("Sura List"));
        showWB();
        app->setFocus(Qt::OtherFocusReason);
        return;
    }
    main_.sqCh()->show();
    app->hide();
    button->setText(QStringLiteral("Appendices"));
    navigation_.sqCh_Change();
    main_.reading().showMSG();
    main_.reading().showCurrentEntry();
}

void CompanionTexts::mnutut_Click()
{
    const fs::path help = reading::tutorialPath(programFolder());
    std::error_code ec;
    if (!fs::is_regular_file(help, ec)) {
        main_.prompter().information(QStringLiteral("The tutorial is not installed: %1").arg(text(help)));
        return;
    }
    openInWebPane(help);
}

void CompanionTexts::Command4_Click()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    showWB();
    s.generalRs.close();
    // The pages are shown from a file of the reader's own, never written
    // into the program folder (which may be read-only).
    const fs::path file = introductionFile();
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (!richtext::writeWholeFile(file, reading::introductionHtml(s.connection))) {
        main_.prompter().information(
            QStringLiteral("The introduction could not be written to %1.").arg(text(file)));
        return;
    }
    r.wb()->navigate(text(file));
}

// ---------------------------------------------------------------- the reading pane

void CompanionTexts::setWideReading(int width)
{
    main_.state().wideReading = width;
    main_.Form_Resize();
    if (width > 0)
        main_.reading().raiseText();
}

void CompanionTexts::cmdProc_Click()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    s.generalRs.close();
    r.showMSG();
    r.PageMode();
    QListWidget* list = r.verseList();
    {
        const bool was = s.loadingList;
        s.loadingList = true;
        list->clear();
        for (int page = 1; page <= kFrontMatterPages; ++page)
            list->addItem(QString::number(page));
        list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        s.loadingList = was;
    }
    if (const auto page = reading::frontMatterPage(s.connection, 1))
        r.text().setRtf(*page);
    setWideReading(0);
    list->setFocus(Qt::OtherFocusReason);
}

void CompanionTexts::Command1_Click()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    s.generalRs.close();
    r.showMSG();
    r.PageMode();
    auto& pane = r.text();
    pane.clear();
    setWideReading(MainState::kWideReading);
    r.verseList()->clear();
    pane.setSelAlignment(2);
    pane.setSelBold(true);
    pane.setSelText("GLOSSARY\r\n\r\n");
    pane.setSelAlignment(0);
    pane.setSelBold(false);
    for (const std::string& row : reading::glossaryRows(s.connection))
        pane.setSelText(row + "\r\n");
    pane.setSelStart(0);
}

void CompanionTexts::Command6_Click()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    s.generalRs.close();
    const fs::path index = reading::indexPath(programFolder(), language(main_));
    std::error_code ec;
    if (!fs::is_regular_file(index, ec)) {
        main_.prompter().information(QStringLiteral("The index is not installed: %1").arg(text(index)));
        return;
    }
    r.showMSG();
    setWideReading(MainState::kWideReading);
    r.text().clear();
    r.verseList()->clear();
    r.command2()->hide();
    r.command3()->hide();
    r.text().loadFile(index);
    r.text().setSelStart(0);
}

// ---------------------------------------------------------------- the lists

void CompanionTexts::openList(reading::ListKind kind)
{
    main_.showSidePanel(list_->objectName());
    showList(kind, 0);
    list_->lstList()->setFocus(Qt::OtherFocusReason);
}

void CompanionTexts::mnuListSubtitles_Click() { openList(reading::ListKind::Subtitles); }

void CompanionTexts::mnuListFootnotes_Click() { openList(reading::ListKind::Footnotes); }

void CompanionTexts::showList(reading::ListKind kind, int sura)
{
    listKind_ = kind;
    list_->txtList()->clear();
    list_->show();
    QListWidget* list = list_->lstList();
    list->clear();
    list_->lblList()->setText(qs(reading::listCaption(kind)));
    QStringList entries;
    for (const std::string& entry : reading::listEntries(main_.state().connection, kind, sura))
        entries << qs(entry);
    list->addItems(entries);
    if (list->count() > 0)
        list->setCurrentRow(0);
}

void CompanionTexts::Command23_Click()
{
    const QString typed = list_->txtList()->text().trimmed();
    int sura = 0;
    if (!typed.isEmpty()) {
        const auto n = db::wholeNumber(typed.toStdString());
        if (!n || *n < 1 || *n > db::kSuraCount) {
            main_.prompter().information(QStringLiteral("Please type a sura number from 1 to %1, or nothing for all suras.")
                                             .arg(db::kSuraCount));
            list_->txtList()->setFocus(Qt::OtherFocusReason);
            return;
        }
        sura = static_cast<int>(*n);
    }
    showList(listKind_, sura);
}

void CompanionTexts::lstList_Click()
{
    QListWidget* list = list_->lstList();
    const QListWidgetItem* item = list->currentItem();
    list->setToolTip(item ? item->text() : QString());
}

void CompanionTexts::Command14_Click()
{
    QListWidget* list = list_->lstList();
    if (list->count() == 0) {
        main_.prompter().information(QStringLiteral("No Verse to Jump to"));
        return;
    }
    const QListWidgetItem* item = list->currentItem() ? list->currentItem() : list->item(0);
    navigation_.JumpToVerse(qs(reading::listEntryReference(item->text().toStdString())));
}

// ---------------------------------------------------------------- footnotes (F9)

void CompanionTexts::Command11_Click()
{
    const bool open = notes_->isHidden() || notes_->showsNotes() || !main_.leftFrameExpanded();
    if (open) {
        notes_->setMode(NotesPanel::Mode::Footnotes);
        main_.showSidePanel(notes_->objectName());
        notes_->rtfFootnote()->model().clear();
        notes_->dispFN()->setChecked(true);
    } else {
        main_.SquezeLeftFrame();
        notes_->hide();
        notes_->dispFN()->setChecked(false);
    }
    main_.reading().showCurrentEntry();
}
