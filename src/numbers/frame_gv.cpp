#include "numbers/frame_gv.h"

#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "shell/prompter.h"
#include "ui/wrap_button.h"
#include "numbers/arabic_font.h"
#include "numbers/letters.h"
#include "ui/panel_support.h"
#include "numbers/utf8.h"
#include "ui/wrap_check_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using ui::named;
using ui::qs;

namespace {

constexpr int kKeyColumns = 9;
constexpr double kArabicPointSize = 15.0;
// Text boxes hold 32767 characters unless told otherwise; an expression or
// a transliteration may be longer and must not be cut short.
constexpr int kLongestText = 1 << 30;

QString u32(std::u32string_view text) { return qs(numbers::encodeUtf8(text)); }

QString codeText(const numbers::TransliterationCode& code)
{
    const char32_t pair[] = {code.first, code.second};
    return u32(std::u32string_view(pair, 2)).replace(u' ', QChar(0x2423));  // ␣ shows where the space goes
}

// "ب Beh: type ␣B" for a letter key.
QString keyToolTip(char32_t letter)
{
    QString tip;
    for (const auto& l : numbers::arabicLetters())
        if (l.unicode == letter)
            tip = qs(l.name) + QStringLiteral(", value %1").arg(l.value);
    for (const auto& code : numbers::transliterationCodes())
        if (code.letter == letter)
            tip += QStringLiteral("; in English letters: %1").arg(codeText(code));
    return tip;
}

// Every code with its letter, for the transliteration box.
QString codesToolTip()
{
    QStringList lines{QStringLiteral("Each letter is written with two characters (␣ is a space):")};
    QStringList row;
    for (const auto& code : numbers::transliterationCodes()) {
        const QString letter = code.letter == U' ' ? QStringLiteral("word space") : u32(std::u32string_view(&code.letter, 1));
        row << QStringLiteral("%1 = %2").arg(codeText(code), letter);
        if (row.size() == 5) {
            lines << row.join(QStringLiteral("    "));
            row.clear();
        }
    }
    if (!row.isEmpty())
        lines << row.join(QStringLiteral("    "));
    return lines.join(u'\n');
}

}  // namespace

FrameGV::FrameGV(Shell& main, std::function<void(const std::string&)> handOver, QWidget* parent)
    : PanelFrame(QStringLiteral("frameGV"), parent), main_(main), handOver_(std::move(handOver))
{
    build();
}

void FrameGV::build()
{
    QVBoxLayout* box = ui::scrollingPage(*this);
    QWidget* page = box->parentWidget();

    box->setSpacing(4);

    auto* exprCaption = new QLabel(QStringLiteral("&Arabic Expression:"), page);
    text1_ = named(new QLineEdit(page), QStringLiteral("Text1"));
    text1_->setFont(arabicFont(kArabicPointSize + 1));
    // Arabic reads from the right: the box starts there and grows leftwards.
    text1_->setLayoutDirection(Qt::RightToLeft);
    text1_->setMaxLength(kLongestText);
    exprCaption->setBuddy(text1_);
    connect(text1_, &QLineEdit::textEdited, this,
            [this](const QString& text) { expr_.setExpressionUtf8(text.toStdString()); });
    rtf_ = named(new QLineEdit(page), QStringLiteral("rtf"));
    rtf_->setVisible(false);
    rtf_->setMaxLength(kLongestText);
    box->addWidget(exprCaption);
    box->addWidget(text1_);
    box->addWidget(rtf_);

    chkType_ = named(new QCheckBox(QStringLiteral("Click to Type"), page), QStringLiteral("chkType"));
    chkType_->setChecked(true);
    chkType_->setToolTip(QStringLiteral("The letter keys below type into the expression while this is ticked"));
    box->addWidget(chkType_);
    box->addWidget(buildKeyboard(page));

    auto* latinCaption = new QLabel(QStringLiteral("&Write Arabic using English Letters"), page);
    latinCaption->setWordWrap(true);
    text4_ = named(new QLineEdit(page), QStringLiteral("Text4"));
    text4_->setToolTip(codesToolTip());
    text4_->setMaxLength(kLongestText);
    latinCaption->setBuddy(text4_);
    auto* getArabic = named(new WrapButton(QStringLiteral("Get Arabic"), page), QStringLiteral("Command21"));
    auto* clearText = named(new WrapButton(QStringLiteral("Clear Text"), page), QStringLiteral("Command22"));
    auto* latinButtons = new QHBoxLayout;
    latinButtons->addWidget(getArabic, 1);
    latinButtons->addWidget(clearText, 1);
    box->addSpacing(4);
    box->addWidget(latinCaption);
    box->addWidget(text4_);
    box->addLayout(latinButtons);

    chkWord1_ = named(new WrapCheckBox(QStringLiteral("Insert Word Sequence Number BEFORE Word"), page),
                      QStringLiteral("chkWord1"));
    chkWord2_ = named(new WrapCheckBox(QStringLiteral("Insert Word Sequence Number AFTER Word"), page),
                      QStringLiteral("chkWord2"));
    chkLetter1_ = named(new WrapCheckBox(QStringLiteral("Insert Letter Sequence Number BEFORE Letter"), page),
                        QStringLiteral("chkLetter1"));
    chkLetter2_ = named(new WrapCheckBox(QStringLiteral("Insert Letter Sequence Number AFTER Letter"), page),
                        QStringLiteral("chkLetter2"));
    chkReset_ = named(new WrapCheckBox(QStringLiteral("Reset Letter Count to '0' after the End of Each Word"), page),
                      QStringLiteral("chkReset"));
    box->addSpacing(4);
    for (QCheckBox* c : std::initializer_list<QCheckBox*>{chkWord1_, chkWord2_, chkLetter1_, chkLetter2_, chkReset_})
        box->addWidget(c);

    command27_ = named(new WrapButton(QStringLiteral("Get Details"), page), QStringLiteral("Command27"));
    auto* letterWise = named(new WrapButton(QStringLiteral("Calculate Letter-wise Gematrical Value"), page),
                             QStringLiteral("Command26"));
    auto* wordWise = named(new WrapButton(QStringLiteral("Calculate Word-wise Gematrical Value"), page),
                           QStringLiteral("Command25"));
    box->addSpacing(4);
    for (QPushButton* b : std::initializer_list<QPushButton*>{command27_, letterWise, wordWise}) {
        b->setMinimumHeight(b->sizeHint().height() + 4);
        box->addWidget(b);
    }
    setDefaultButton(command27_);
    box->addStretch(1);

    main_.bindButton(command27_, cmd::Command27_Click);
    main_.bindButton(letterWise, cmd::Command26_Click);
    main_.bindButton(wordWise, cmd::Command25_Click);
    main_.bindButton(getArabic, cmd::Command21_Click);
    main_.bindButton(clearText, cmd::Command22_Click);
}

QWidget* FrameGV::buildKeyboard(QWidget* parent)
{
    auto* keyboard = named(new QWidget(parent), QStringLiteral("Char"));
    auto* grid = new QGridLayout(keyboard);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    const QFont letters = arabicFont(kArabicPointSize);
    // As tall as the letters' ink needs: the Arabic fonts' line height has
    // room for marks above and below that the bare letters never use.
    QString everyLetter;
    for (int number = 6; number <= 35; ++number)
        everyLetter += qs(numbers::keyCaption(number));
    const int keyHeight = std::max(QFontMetrics(letters).tightBoundingRect(everyLetter).height() + 12,
                                   QFontMetrics(font()).height() + 10);

    auto makeKey = [&](int number) {
        auto* key = named(new QToolButton(keyboard), QStringLiteral("Char_%1").arg(number));
        // The keys type into the expression; the focus stays where it is.
        key->setFocusPolicy(Qt::NoFocus);
        key->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        key->setFixedHeight(keyHeight);
        if (const auto letter = numbers::keyLetter(number)) {
            key->setFont(letters);
            key->setToolTip(keyToolTip(*letter));
        }
        connect(key, &QToolButton::clicked, this, [this, number] { Char_Click(number); });
        keys_[number] = key;
        return key;
    };

    const auto rows = numbers::keyboardRows();
    const int letterRows = static_cast<int>(rows.size()) - 1;
    for (int r = 0; r < letterRows; ++r) {
        const auto row = rows[static_cast<size_t>(r)];
        // A short row stands at the right end.
        const int first = kKeyColumns - static_cast<int>(row.size());
        for (size_t i = 0; i < row.size(); ++i)
            grid->addWidget(makeKey(row[i]), r, first + static_cast<int>(i));
    }
    auto* last = new QHBoxLayout;
    last->setSpacing(2);
    for (int number : rows.back())
        last->addWidget(makeKey(number), 1);
    grid->addLayout(last, letterRows, 0, 1, kKeyColumns);
    for (int c = 0; c < kKeyColumns; ++c) {
        grid->setColumnStretch(c, 1);
        grid->setColumnMinimumWidth(c, 22);
    }
    getChars();
    return keyboard;
}

void FrameGV::install()
{
    main_.setCommand(cmd::mnuGV_Click, [this] { mnuGV_Click(); });
    main_.setCommand(cmd::Command25_Click, [this] { Command25_Click(); });
    main_.setCommand(cmd::Command26_Click, [this] { Command26_Click(); });
    main_.setCommand(cmd::Command27_Click, [this] { Command27_Click(); });
    main_.setCommand(cmd::Command21_Click, [this] { Command21_Click(); });
    main_.setCommand(cmd::Command22_Click, [this] { Command22_Click(); });
}

// ---------------------------------------------------------------- opening

void FrameGV::mnuGV_Click()
{
    main_.showSidePanel(objectName());
    showGV();
    command27_->setDefault(true);
    text1_->setFocus(Qt::OtherFocusReason);
}

void FrameGV::showGV()
{
    expr_.reset();
    text1_->clear();
    rtf_->clear();
    getChars();
}

void FrameGV::getChars()
{
    for (auto& [number, key] : keys_)
        key->setText(qs(numbers::keyCaption(number)));
}

numbers::GvOptions FrameGV::options() const
{
    numbers::GvOptions o;
    o.wordBefore = chkWord1_->isChecked();
    o.wordAfter = chkWord2_->isChecked();
    o.letterBefore = chkLetter1_->isChecked();
    o.letterAfter = chkLetter2_->isChecked();
    o.resetLetterCount = chkReset_->isChecked();
    return o;
}

void FrameGV::showExpression()
{
    const QString shown = qs(expr_.expressionUtf8());
    if (text1_->text() != shown)
        text1_->setText(shown);
    rtf_->setText(u32(expr_.workingCopy()));
}

// ---------------------------------------------------------------- calculations

void FrameGV::Command25_Click()
{
    ui::WaitCursor wait(expr_.expression().size() > 10000);
    const std::string digits = expr_.wordWise(options());
    rtf_->setText(u32(expr_.workingCopy()));
    handOver_(digits);
}

void FrameGV::Command26_Click()
{
    ui::WaitCursor wait(expr_.expression().size() > 10000);
    const std::string digits = expr_.letterWise(options());
    rtf_->setText(u32(expr_.workingCopy()));
    handOver_(digits);
}

void FrameGV::Command27_Click()
{
    const std::string details = expr_.details();
    rtf_->setText(u32(expr_.workingCopy()));
    main_.prompter().information(qs(details));
}

// ---------------------------------------------------------------- entry

void FrameGV::Char_Click(int index)
{
    expr_.clickKey(index, chkType_->isChecked());
    showExpression();
}

void FrameGV::Command21_Click()
{
    expr_.getArabicUtf8(text4_->text().toStdString());
    showExpression();
}

void FrameGV::Command22_Click() { text4_->clear(); }
