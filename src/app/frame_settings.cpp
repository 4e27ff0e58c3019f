#include "app/frame_settings.h"

#include "ui/panel_support.h"
#include "core/file_exists.h"
#include "shell/prompter.h"
#include "ui/select_all_on_focus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

using ui::named;

namespace {

const QString kEnglish = QStringLiteral("English");

const QString kInitialVerseSize = QStringLiteral("12.5");

QComboBox* sizeList(const char* name, const QString& initial, QWidget* parent)
{
    auto* c = named(new QComboBox(parent), name);
    for (int half = 19; half <= 38; ++half)
        c->addItem(QString::number(half / 2.0, 'g', 4));
    c->setCurrentText(initial);
    return c;
}

// A box placed inside its sentence: "Display [1] consecutive verse(s) at a time".
QWidget* sentence(const QString& before, QLineEdit* box, const QString& after, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(5);
    // The words before and after the box line up with the text in it; a
    // sentence too long for the panel wraps under its own first line.
    const int boxHeight = box->sizeHint().height();
    const int firstLineOffset = (boxHeight - row->fontMetrics().height()) / 2;
    auto* first = new QLabel(before, row);
    first->setBuddy(box);
    first->setFixedHeight(boxHeight);
    first->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* rest = new QLabel(after, row);
    rest->setWordWrap(true);
    rest->setContentsMargins(0, firstLineOffset, 0, 0);
    rest->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    h->addWidget(first, 0, Qt::AlignTop);
    h->addWidget(box, 0, Qt::AlignTop);
    h->addWidget(rest, 1, Qt::AlignTop);
    return row;
}

QLineEdit* numberBox(const char* name, QWidget* parent)
{
    auto* e = named(new QLineEdit(QStringLiteral("1"), parent), name);
    e->setMaxLength(3);
    e->setAlignment(Qt::AlignCenter);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    selectAllOnFocus(e);
    return e;
}

// Only a bare name can name a text database: no folders, no wildcards.
bool isLanguageName(const QString& name)
{
    static const QString forbidden = QStringLiteral("/\\*?");
    if (name.trimmed().isEmpty())
        return false;
    for (QChar c : name)
        if (forbidden.contains(c) || c.category() == QChar::Other_Control)
            return false;
    return true;
}

}  // namespace

FrameSettings::FrameSettings(std::filesystem::path programFolder, Prompter& prompter, QWidget* parent)
    : PanelFrame(QStringLiteral("frameSettings"), parent), programFolder_(std::move(programFolder)),
      prompter_(prompter)
{
    build();
}

void FrameSettings::build()
{
    // The panel scrolls rather than crushing its controls in a short window.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto* page = new QWidget(scroll);
    scroll->setWidget(page);
    page->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);

    auto* title = named(new QLabel(QStringLiteral("Display Settings:"), page), "lblSettings");
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    title->setFont(f);

    cmbLang_ = named(new QComboBox(page), "cmbLang");
    cmbLang_->setEditable(true);
    cmbLang_->addItem(kEnglish);
    cmbLang_->setCurrentText(kEnglish);
    cmbLang_->setInsertPolicy(QComboBox::NoInsert);

    auto* font = named(new QComboBox(page), "VWFont");
    font->addItems({QStringLiteral("Arial"), QStringLiteral("Arial Narrow"), QStringLiteral("Garamond"),
                    QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Times New Roman"), QStringLiteral("Verdana")});
    font->setCurrentText(QStringLiteral("Arial Narrow"));

    auto* top = new QFormLayout;
    top->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    top->addRow(QStringLiteral("&Language: "), cmbLang_);
    top->addRow(QStringLiteral("&Font Name:"), font);

    auto* sizes = named(new QGroupBox(QStringLiteral("Font Sizes"), page), "frameFontSizes");
    auto* sizeForm = new QFormLayout(sizes);
    sizeForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    sizeForm->addRow(QStringLiteral("&Verses/Subtitles:"), sizeList("subSize", kInitialVerseSize, sizes));
    sizeForm->addRow(QStringLiteral("Foot&notes:"), sizeList("FNSize", QStringLiteral("10.5"), sizes));
    sizeForm->addRow(QStringLiteral("&Your Notes:"), sizeList("YNSize", QStringLiteral("10.5"), sizes));

    // The verse display copies the chosen size here while it renders.
    auto* vwSize = named(new QLineEdit(QStringLiteral("Size"), page), "VWSize");
    vwSize->setVisible(false);

    auto* nv = sentence(QStringLiteral("Display"), numberBox("txtNV", page), QStringLiteral("consecutive verse(s) at a time"), page);
    auto* spaces = sentence(QStringLiteral("Insert"), numberBox("txtSpaces", page),
                            QStringLiteral("blank lines when displaying multiple verses"), page);
    auto* fspaces = sentence(QStringLiteral("Insert"), numberBox("txtFspaces", page),
                             QStringLiteral("blank lines between a verse and its footnotes"), page);

    auto* dispFN = named(new QCheckBox(QStringLiteral("Do not display footnotes with verses"), page), "dispFN");
    auto* sb1 = named(new QCheckBox(QStringLiteral("Reserve one line for subtitle"), page), "checkSb1Line");
    auto* seek = named(new QCheckBox(QStringLiteral("Do not display 16:98 at startup"), page), "seekrefuge");

    auto* highlight = named(new QGroupBox(QStringLiteral("Highlight Should Make"), page), "frmHU");
    auto* hl = new QHBoxLayout(highlight);
    opHM_ = named(new QCheckBox(QStringLiteral("Highlight Color:"), highlight), "opHM_1");
    cboWord_ = named(new QComboBox(highlight), "cboWord");
    cboWord_->addItems({QStringLiteral("Yellow"), QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")});
    cboWord_->setCurrentIndex(0);
    cboWord_->setVisible(false);
    hl->addWidget(opHM_);
    hl->addWidget(cboWord_, 1);
    // Keep the list's height in the frame while it is hidden, so ticking
    // the box does not make the panel jump.
    QSizePolicy keep = cboWord_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    cboWord_->setSizePolicy(keep);
    connect(opHM_, &QCheckBox::clicked, this, &FrameSettings::opHM_Click);
    // A colour other than yellow (restored from the settings) is only in
    // effect with the box ticked; show it that way.
    connect(cboWord_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index > 0 && !opHM_->isChecked()) {
            opHM_->setChecked(true);
            cboWord_->setVisible(true);
        }
    });

    // Looking words up: the dictionary's site, or the one installed here.
    auto* dictionary = named(new QGroupBox(QStringLiteral("Dictionary"), page), "frameDictionary");
    auto* dictForm = new QFormLayout(dictionary);
    dictForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* site = named(new QLineEdit(dictionary), "txtDictSite");
    site->setToolTip(QStringLiteral("The web site whose page /dictionary/WORD explains a word"));
    dictForm->addRow(QStringLiteral("&Site:"), site);
    auto* offline = named(new QCheckBox(QStringLiteral("Look words up in the offline dictionary"), dictionary),
                          "chkOfflineDict");
    offline->setToolTip(QStringLiteral("Without a connection the offline dictionary is used anyway"));
    dictForm->addRow(offline);

    auto* done = named(new QPushButton(QStringLiteral("DONE"), page), "Command17");
    // Enter in any box of the panel is "DONE".
    setDefaultButton(done);
    done->setMinimumWidth(110);
    // The window binds DONE to its command, which asks this panel; a second
    // connection here would run the check twice.
    auto* reset = named(new QPushButton(QStringLiteral("RESET TO DEFAULT"), page), "Command16");
    reset->setVisible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(done);

    auto* box = new QVBoxLayout(page);
    box->setContentsMargins(10, 8, 10, 10);
    box->setSpacing(8);
    box->addWidget(title);
    box->addLayout(top);
    box->addWidget(sizes);
    box->addWidget(vwSize);
    box->addWidget(nv);
    box->addWidget(spaces);
    box->addWidget(fspaces);
    box->addSpacing(2);
    box->addWidget(dispFN);
    box->addWidget(sb1);
    box->addWidget(seek);
    box->addWidget(highlight);
    box->addWidget(dictionary);
    box->addSpacing(4);
    box->addLayout(buttons);
    box->addStretch(1);
}

void FrameSettings::focusFirst()
{
    cmbLang_->setFocus(Qt::OtherFocusReason);
    cmbLang_->lineEdit()->selectAll();
}

bool FrameSettings::stepVerseSize(int steps)
{
    auto* size = findChild<QComboBox*>(QStringLiteral("subSize"));
    const int index = std::clamp(size->currentIndex() + steps, 0, size->count() - 1);
    if (index == size->currentIndex())
        return false;
    size->setCurrentIndex(index);
    return true;
}

bool FrameSettings::resetVerseSize()
{
    auto* size = findChild<QComboBox*>(QStringLiteral("subSize"));
    if (size->currentText() == kInitialVerseSize)
        return false;
    size->setCurrentText(kInitialVerseSize);
    return true;
}

void FrameSettings::opHM_Click()
{
    if (opHM_->isChecked()) {
        cboWord_->setVisible(true);
        return;
    }
    cboWord_->setVisible(false);
    cboWord_->setCurrentIndex(0);
}

FrameSettings::DoneResult FrameSettings::Command17_Click()
{
    const QString language = cmbLang_->currentText();
    if (language != kEnglish) {
        const std::string file = language.toStdString() + ".ttb";
        const bool present = isLanguageName(language) &&
                             (FileExists((programFolder_ / file).string()) ||
                              (!readerFolder_.empty() && FileExists((readerFolder_ / file).string())));
        if (!present) {
            prompter_.information(QStringLiteral("Language does not exist or not installed"));
            cmbLang_->setCurrentIndex(cmbLang_->findText(kEnglish));
            cmbLang_->setEditText(kEnglish);
            return DoneResult::Rejected;
        }
        emit reloadRequested(language);
        return DoneResult::Reload;
    }
    emit redisplayRequested();
    return DoneResult::Redisplay;
}
