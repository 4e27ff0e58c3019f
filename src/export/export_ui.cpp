#include "export/export_ui.h"

#include "export/copy_text.h"
#include "export/csv_writer.h"
#include "export/frm_display.h"
#include "export/save_dialog.h"
#include "export/verse_range.h"
#include "export/write_panel.h"
#include "reading/reading_view.h"
#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/prompter.h"
#include "shell/shell.h"
#include "ui/panel_support.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScopedValueRollback>

using ui::qs;

namespace {

constexpr const char* kRtfMime = "text/rtf";

}  // namespace

ExportUi::ExportUi(Shell& main) : QObject(&main.window()), main_(main)
{
    setObjectName(QStringLiteral("ExportUi"));
}

void ExportUi::install()
{
    panel_ = new WritePanel;
    main_.installPanel(panel_);
    main_.bindButton(panel_->Command13(), cmd::Command13_Click);
    main_.bindButton(panel_->Command18(), cmd::Command18_Click);
    main_.bindButton(panel_->Command19(), cmd::Command19_Click);
    connect(panel_->txtStartSura(), &QLineEdit::textChanged, this, [this] { txtStartSura_Change(); });
    connect(panel_->txtEndSura(), &QLineEdit::textChanged, this, [this] { txtEndSura_Change(); });

    const std::pair<QLatin1String, Shell::Command> commands[] = {
        {cmd::mnuSAT_Click, [this] { mnuSAT_Click(); }},
        {cmd::mnuCST_Click, [this] { mnuCST_Click(); }},
        {cmd::mnuCET_Click, [this] { mnuCET_Click(); }},
        {cmd::mnuCsnf_Click, [this] { mnuCsnf_Click(); }},
        {cmd::mnuCC_Click, [this] { mnuCC_Click(); }},
        {cmd::mnuWFP_Click, [this] { mnuWFP_Click(); }},
        {cmd::Command18_Click, [this] { Command18_Click(); }},
        {cmd::Command19_Click, [this] { Command19_Click(); }},
        {cmd::Command13_Click, [this] { Command13_Click(); }},
        {cmd::mnuDisplaySep_Click, [this] { mnuDisplaySep_Click(); }},
    };
    for (const auto& [name, command] : commands)
        main_.setCommand(name, command);
}

// ---------------------------------------------------------------- select and copy

void ExportUi::mnuSAT_Click()
{
    RichTextPane* msg = main_.reading().msg();
    msg->view()->setFocus(Qt::OtherFocusReason);
    msg->selectAll();
}

void ExportUi::copyFormatted(bool selection)
{
    ReadingView& r = main_.reading();
    const std::string rtf = selection ? r.text().selRtf() : r.text().rtf();
    // The plain text is made in the scratch pane, with the dash marks written out.
    r.fordata().setText(exporting::plainTextForCopy(rtf));
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kRtfMime), QByteArray::fromStdString(rtf));
    data->setText(qs(exporting::desktopLineBreaks(r.fordata().text())));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(data);
}

void ExportUi::copyPlain(bool selection)
{
    ReadingView& r = main_.reading();
    const std::string text = selection ? r.text().selText() : r.text().text();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(qs(exporting::desktopLineBreaks(text)));
}

void ExportUi::mnuCST_Click() { copyFormatted(true); }
void ExportUi::mnuCET_Click() { copyFormatted(false); }
void ExportUi::mnuCsnf_Click() { copyPlain(true); }
void ExportUi::mnuCC_Click() { copyPlain(false); }

// ---------------------------------------------------------------- the save panel

void ExportUi::mnuWFP_Click()
{
    main_.showSidePanel(panel_->objectName());
    // The counts follow the boxes; the boxes may have been filled before
    // the text database was open.
    txtStartSura_Change();
    txtEndSura_Change();
    panel_->txtStartSura()->setFocus(Qt::OtherFocusReason);
    panel_->setDefaultButton(panel_->Command18());
}

void ExportUi::txtStartSura_Change()
{
    panel_->lbl2()->setText(
        qs(exporting::verseCountCaption(main_.state().connection, panel_->txtStartSura()->text().toStdString())));
}

void ExportUi::txtEndSura_Change()
{
    panel_->lbl4()->setText(
        qs(exporting::verseCountCaption(main_.state().connection, panel_->txtEndSura()->text().toStdString())));
}

void ExportUi::showCurrentEntry()
{
    main_.reading().verseList()->setFocus(Qt::OtherFocusReason);
    main_.reading().showCurrentEntry();
}

bool ExportUi::Command18_Click()
{
    const exporting::RangeBoxes boxes{panel_->txtStartSura()->text().toStdString(),
                                      panel_->txtStartVerse()->text().toStdString(),
                                      panel_->txtEndSura()->text().toStdString(),
                                      panel_->txtEndVerse()->text().toStdString()};
    if (boxes.anyEmpty()) {
        main_.prompter().information(qs(exporting::kRangeNotEntered));
        showCurrentEntry();
        return false;
    }
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    const std::vector<db::VerseRef> verses = exporting::rangeVerses(s.connection, boxes);
    if (verses.empty()) {
        // Nothing to show: the display and the list stay as they are.
        main_.prompter().information(
            QStringLiteral("No verse of the text lies between the start and the end given."));
        return false;
    }
    s.generalRs.close();
    r.text().clear();
    r.showMSG();
    s.wideReading = 0;
    main_.Form_Resize();

    QListWidget* list = r.verseList();
    {
        // The list's check events do nothing until it is filled, even if this throws.
        const QScopedValueRollback<bool> quiet(s.loadingList, true);
        list->clear();
        r.setMode(ListMode::Result);
        r.showResultButtons();
        r.showCategories(false);
        QStringList items;
        items.reserve(static_cast<qsizetype>(verses.size()));
        for (const auto& v : verses)
            items << qs(v.display());
        list->addItems(items);
        list->selectAll();
        s.resultPicked = list->count();
        s.keepHeader = false;
    }
    list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    list->setFocus(Qt::OtherFocusReason);
    {
        const db::ReadTogether reading(s.connection);
        r.OpenVerse();
    }
    return true;
}

void ExportUi::Command19_Click()
{
    const bool empty = panel_->txtStartSura()->text().isEmpty() || panel_->txtStartVerse()->text().isEmpty() ||
                       panel_->txtEndSura()->text().isEmpty() || panel_->txtEndVerse()->text().isEmpty();
    if (empty) {
        main_.prompter().information(qs(exporting::kRangeNotEntered));
        return;
    }
    // A range without verses leaves the display as it was: nothing of it is saved.
    if (Command18_Click())
        Command13_Click();
}

QString ExportUi::Command13_Click()
{
    using exporting::Format;
    ReadingView& r = main_.reading();
    if (!r.wb()->isHidden())
        return exporting::saveWebPage(main_.prompter(), *r.wb()) ? r.wb()->address() : QString();
    QListWidget* list = r.verseList();
    exporting::SaveRequest request;
    request.dialogTitle = QStringLiteral("Save Display");
    request.formats = {Format::Rtf, Format::Html};
    // A result list (search, topic, verse range) is also a table of its verses.
    if (r.mode() == ListMode::Result && list->count() > 0)
        request.formats.push_back(Format::Csv);
    request.content = [this, &r, list](Format format) -> std::string {
        if (format != Format::Csv)
            return exporting::documentAs(r.text(), format, Prompter::programTitle().toStdString());
        std::vector<std::string> entries;
        entries.reserve(static_cast<size_t>(list->count()));
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(list->item(i)->text().toStdString());
        return exporting::writeCsv(exporting::csvRows(main_.state().connection, entries));
    };
    return exporting::saveThroughDialog(main_.prompter(), request);
}

// ---------------------------------------------------------------- separate windows

frmDisplay* ExportUi::newDisplay()
{
    auto* display = new frmDisplay(main_.prompter(), &main_.window());
    displays_.emplace_back(display);
    return display;
}

frmDisplay* ExportUi::mnuDisplaySep_Click()
{
    const std::optional<QString> title = main_.prompter().input(
        QStringLiteral("Give a Title to this Separate Window (optional)"), QStringLiteral("Title Name"));
    ReadingView& r = main_.reading();
    frmDisplay* display = newDisplay();
    display->setCaption(title.value_or(QString()));
    if (!r.wb()->isHidden())
        display->showAddress(r.wb()->address());
    else
        display->showRtf(r.text().rtf());
    display->showAndRaise();
    return display;
}

std::vector<frmDisplay*> ExportUi::displays() const
{
    std::vector<frmDisplay*> out;
    for (const auto& d : displays_)
        if (d)
            out.push_back(d);
    return out;
}
