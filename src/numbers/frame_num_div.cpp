#include "numbers/frame_num_div.h"

#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "shell/prompter.h"
#include "ui/wrap_button.h"
#include "numbers/number_commands.h"
#include "ui/panel_support.h"
#include "reading/companions.h"
#include "reading/reading_view.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVBoxLayout>

#include <filesystem>

using ui::named;
using ui::qs;

namespace {

// The saved number's file name exactly as the folder holds it; the list
// shows it as text, which may not give the same bytes back.
constexpr int kFileNameRole = Qt::UserRole;

std::string fileNameOf(const QListWidgetItem& item) { return item.data(kFileNameRole).toByteArray().toStdString(); }

}  // namespace

FrameNumDiv::FrameNumDiv(Shell& main, QWidget* parent)
    : PanelFrame(QStringLiteral("frameNumDiv"), parent), main_(main), saved_(main.state().ownFolder())
{
    build();
}

void FrameNumDiv::build()
{
    QVBoxLayout* box = ui::scrollingPage(*this);
    QWidget* page = box->parentWidget();

    box->addWidget(named(ui::heading(QStringLiteral("Long Number Division"), page), QStringLiteral("lblNumDiv")));

    rtfNum_ = named(new RichTextPane(page), QStringLiteral("rtfNum"));
    rtfNum_->setPlainPaste(true);
    // A number is one long word: looking for a word boundary to break it
    // at makes showing it slow beyond use (a hundred thousand digits took
    // seconds); breaking it anywhere takes milliseconds.
    rtfNum_->view()->setWordWrapMode(QTextOption::WrapAnywhere);
    rtfNum_->setMinimumHeight(90);
    rtfNum_->setToolTip(QStringLiteral("Type or paste the number to divide"));
    rtfNum_->view()->installEventFilter(this);
    box->addWidget(rtfNum_, 3);

    auto* divide = new QHBoxLayout;
    cmdDivide19_ = named(new WrapButton(QStringLiteral("Divide by 19"), page), QStringLiteral("cmdDivide19"));
    auto* divCust = named(new WrapButton(QStringLiteral("Divide by Other Number"), page), QStringLiteral("cmdDivCust"));
    for (QPushButton* b : std::initializer_list<QPushButton*>{cmdDivide19_, divCust}) {
        b->setMinimumHeight(b->sizeHint().height() + 4);
        divide->addWidget(b, 1);
    }
    setDefaultButton(cmdDivide19_);
    box->addLayout(divide);

    rtfRes1_ = named(new RichTextPane(page), QStringLiteral("rtfRes1"));
    rtfRes1_->setReadOnly(true);
    rtfRes1_->setMinimumHeight(70);
    box->addWidget(rtfRes1_, 2);
    rtfRes2_ = named(new RichTextPane(page), QStringLiteral("rtfRes2"));
    rtfRes2_->setReadOnly(true);
    rtfRes2_->setMinimumHeight(56);
    rtfRes2_->setMaximumHeight(72);
    box->addWidget(rtfRes2_);

    auto* clear = named(new WrapButton(QStringLiteral("Clear All"), page), QStringLiteral("cmdClear"));
    auto* add = named(new WrapButton(QStringLiteral("Add To List"), page), QStringLiteral("cmdAdd"));
    auto* del = named(new WrapButton(QStringLiteral("Delete"), page), QStringLiteral("cmdDel"));
    auto* keep = new QHBoxLayout;
    for (QPushButton* b : {clear, add, del})
        keep->addWidget(b, 1);
    box->addLayout(keep);

    auto* listCaption = new QLabel(QStringLiteral("Saved &Numbers:"), page);
    box->addWidget(listCaption);
    file1_ = named(new QListWidget(page), QStringLiteral("File1"));
    file1_->setSelectionMode(QAbstractItemView::SingleSelection);
    file1_->setMinimumHeight(70);
    listCaption->setBuddy(file1_);
    box->addWidget(file1_, 2);

    auto* nav = named(new WrapButton(QStringLiteral("Details of Above"), page), QStringLiteral("cmdNav"));
    nav->setToolTip(QStringLiteral("How the division works and how to read its results"));
    box->addWidget(nav);

    main_.bindButton(cmdDivide19_, cmd::cmdDivide19_Click);
    main_.bindButton(divCust, cmd::cmdDivCust_Click);
    main_.bindButton(clear, cmd::cmdClear_Click);
    main_.bindButton(add, cmd::cmdAdd_Click);
    main_.bindButton(del, cmd::cmdDel_Click);
    main_.bindButton(nav, cmd::cmdNav_Click);

    // Choosing an entry loads it, by mouse, by keys or by code; pressing
    // the entry already chosen loads it again (say, after editing it).
    file1_->viewport()->installEventFilter(this);
    connect(file1_, &QListWidget::currentRowChanged, this, [this](int row) {
        changedByPress_ = true;
        if (row >= 0)
            main_.runCommand(cmd::File1_Click);
    });
    connect(file1_, &QListWidget::itemPressed, this, [this](QListWidgetItem*) {
        if (!changedByPress_)
            main_.runCommand(cmd::File1_Click);
    });
}

void FrameNumDiv::install()
{
    main_.setCommand(cmd::mnuDiv_Click, [this] { mnuDiv_Click(); });
    main_.setCommand(cmd::cmdDivide19_Click, [this] { cmdDivide19_Click(); });
    main_.setCommand(cmd::cmdDivCust_Click, [this] { cmdDivCust_Click(); });
    main_.setCommand(cmd::cmdClear_Click, [this] { cmdClear_Click(); });
    main_.setCommand(cmd::cmdAdd_Click, [this] { cmdAdd_Click(); });
    main_.setCommand(cmd::cmdDel_Click, [this] { cmdDel_Click(); });
    main_.setCommand(cmd::File1_Click, [this] { File1_Click(); });
    main_.setCommand(cmd::cmdNav_Click, [this] { cmdNav_Click(); });
}

// ---------------------------------------------------------------- opening

void FrameNumDiv::mnuDiv_Click()
{
    main_.showSidePanel(objectName());
    const QListWidgetItem* chosen = file1_->currentItem();
    refreshFile1(chosen && chosen->isSelected() ? chosen->text() : QString());
    cmdDivide19_->setDefault(true);
    rtfNum_->setFocus(Qt::OtherFocusReason);
}

void FrameNumDiv::refreshFile1(const QString& select)
{
    const QSignalBlocker quiet(file1_);
    file1_->clear();
    for (const std::string& name : saved_.list()) {
        auto* item = new QListWidgetItem(qs(name), file1_);
        item->setData(kFileNameRole, QByteArray::fromStdString(name));
    }
    if (select.isEmpty())
        return;
    const auto found = file1_->findItems(select, Qt::MatchExactly);
    if (!found.isEmpty()) {
        file1_->setCurrentItem(found.front());
        found.front()->setSelected(true);
    }
}

// ---------------------------------------------------------------- dividing

void FrameNumDiv::showResult(const std::string& res1, const std::string& res2)
{
    rtfRes1_->model().setText(res1);
    rtfRes2_->model().setText(res2);
}

void FrameNumDiv::cmdDivide19_Click()
{
    const std::string number = rtfNum_->model().text();
    const auto result = numbers::divideBy19Command(number, main_.prompter());
    if (!result)
        return;
    ui::WaitCursor wait(numbers::isLongNumber(number));
    showResult(result->res1, result->res2);
}

void FrameNumDiv::cmdDivCust_Click()
{
    const std::string number = rtfNum_->model().text();
    const auto result = numbers::divideByOtherCommand(number, main_.prompter());
    if (!result)
        return;
    ui::WaitCursor wait(numbers::isLongNumber(number));
    showResult(result->res1, result->res2);
}

void FrameNumDiv::cmdClear_Click()
{
    rtfRes1_->model().clear();
    rtfRes2_->model().clear();
    rtfNum_->model().clear();
}

// ---------------------------------------------------------------- saved numbers

void FrameNumDiv::cmdAdd_Click()
{
    if (const auto name = numbers::addNumberCommand(saved_, rtfNum_->model().text(), main_.prompter()))
        refreshFile1(qs(*name));
}

void FrameNumDiv::cmdDel_Click()
{
    std::optional<std::string> selected;
    if (const auto chosen = file1_->selectedItems(); !chosen.isEmpty())
        selected = fileNameOf(*chosen.front());
    const numbers::DeleteOutcome outcome = numbers::deleteNumberCommand(saved_, selected, main_.prompter());
    if (!outcome.listChanged)
        return;
    {
        const QSignalBlocker quiet(file1_);
        file1_->clear();
        for (const std::string& name : outcome.list) {
            auto* item = new QListWidgetItem(qs(name), file1_);
            item->setData(kFileNameRole, QByteArray::fromStdString(name));
        }
        if (file1_->count() > 0) {
            file1_->setCurrentRow(0);
            file1_->item(0)->setSelected(true);
        }
    }
    // The first entry is chosen and shown, as choosing it by hand would.
    if (outcome.loadedNumber)
        rtfNum_->model().setText(*outcome.loadedNumber);
}

void FrameNumDiv::File1_Click()
{
    // The entry being chosen (a mouse press makes it current before it
    // selects it).
    const QListWidgetItem* item = file1_->currentItem();
    if (!item)
        return;
    // A number that cannot be read leaves the box as it was.
    if (const auto content = saved_.load(fileNameOf(*item)))
        rtfNum_->model().setText(*content);
}

// ---------------------------------------------------------------- the document

void FrameNumDiv::cmdNav_Click()
{
    const std::filesystem::path document =
        reading::companionFolder(main_.state().programFolder, CompanionTexts::language(main_)) / "Numbers.htm";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(document, ec)) {
        main_.prompter().information(QStringLiteral("The document on number division is not installed: %1")
                                         .arg(QString::fromStdString(document.string())));
        return;
    }
    main_.reading().showDocument(QString::fromStdString(document.string()));
}

// ---------------------------------------------------------------- keys

void FrameNumDiv::rtfNum_KeyPress(int, Qt::KeyboardModifiers)
{
    // Whatever came with a paste, only the characters stay. Text that is
    // plain already is left alone, so that the paste can still be undone.
    richtext::RichTextDocument& m = rtfNum_->model();
    const richtext::Document& d = m.document();
    if (d.runs().size() <= 1 && d.fonts().size() <= 1 && d.colors().size() <= 1)
        return;
    const int caret = m.selStart();
    m.setText(m.text());
    m.setSelStart(caret);
}

bool FrameNumDiv::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == rtfNum_->view() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter divides; Shift+Enter still starts a new line.
        if (isPlainEnter(*key) && pressDefault())
            return true;
        if (key->matches(QKeySequence::Paste)) {
            const int code = key->key();
            const Qt::KeyboardModifiers modifiers = key->modifiers();
            // After the box has taken the paste.
            QMetaObject::invokeMethod(
                this, [this, code, modifiers] { rtfNum_KeyPress(code, modifiers); }, Qt::QueuedConnection);
        }
    } else if (watched == file1_->viewport() && event->type() == QEvent::MouseButtonPress) {
        changedByPress_ = false;
    }
    return PanelFrame::eventFilter(watched, event);
}
