#include "search/search_panel.h"

#include "ui/panel_support.h"
#include "ui/select_all_on_focus.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

using ui::named;

namespace {

const QString kAdvancedOpen = QStringLiteral("Advanced <");
const QString kAdvancedClosed = QStringLiteral("Advanced >");

constexpr std::array<const char*, search::kAreaCount> kAreaCaptions = {
    "Sura/Appendix Titles", "Verses", "Subtitles", "Footnotes", "Introduction/Appendix",
    "Glossary", "Index", "My Notes", "My Topics",
};

// A caption too long for the column wraps: the box has no text of its own
// and the label beside it, which wraps, ticks it when clicked.
class CaptionLabel : public QLabel {
public:
    CaptionLabel(const QString& text, QAbstractButton* target, QWidget* parent) : QLabel(text, parent), target_(target)
    {
        setWordWrap(true);
        setBuddy(target);
        target->setAccessibleName(text);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && target_->isEnabled() && rect().contains(event->position().toPoint()))
            target_->click();
        QLabel::mouseReleaseEvent(event);
    }

private:
    QAbstractButton* target_;
};

// The box and its wrapping caption on one row; `after` (a text box) may
// follow the caption.
QWidget* wrappedCheck(QCheckBox* box, const QString& caption, QWidget* after, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(4);
    auto* label = new CaptionLabel(caption, box, row);
    label->setObjectName(box->objectName() + QStringLiteral("Caption"));
    h->addWidget(box, 0, Qt::AlignTop);
    h->addWidget(label, 1);
    if (after)
        h->addWidget(after, 0, Qt::AlignTop);
    return row;
}

QLineEdit* numberBox(const QString& name, const QString& text, int digits, QWidget* parent)
{
    auto* e = named(new QLineEdit(text, parent), name);
    e->setAlignment(Qt::AlignCenter);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 16);
    selectAllOnFocus(e);
    return e;
}

void setBackground(QLineEdit* e, std::uint32_t rgb)
{
    QPalette p = e->palette();
    p.setColor(QPalette::Base, QColor(QRgb(rgb)));
    e->setPalette(p);
}

std::uint32_t background(const QLineEdit* e) { return e->palette().color(QPalette::Base).rgb() & 0xFFFFFFu; }

search::Toggle toggleOf(const QAbstractButton* b) { return {b->isChecked(), b->isEnabled()}; }

void applyToggle(QAbstractButton* b, const search::Toggle& t)
{
    b->setChecked(t.checked);
    b->setEnabled(t.enabled);
}

search::BoxLook lookOf(const QLineEdit* e) { return {e->isEnabled(), background(e)}; }

void applyLook(QLineEdit* e, const search::BoxLook& look)
{
    e->setEnabled(look.enabled);
    setBackground(e, look.background);
}

QGroupBox* group(const QString& title, const char* name, QWidget* parent)
{
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

}  // namespace

SearchPanel::SearchPanel(QWidget* parent) : PanelFrame(QStringLiteral("frameSearch"), parent)
{
    auto* title = ui::title(QStringLiteral("Search Word(s)/Phrase(s):"), this);

    txtSearch_ = named(new QLineEdit(this), QStringLiteral("txtSearch"));
    txtSearch_->setClearButtonEnabled(true);
    title->setBuddy(txtSearch_);
    selectAllOnFocus(txtSearch_);
    txtSearch_->setToolTip(QStringLiteral("Join words with + (must contain), \\ (must not contain) or / (or); "
                                          "a word followed by @ also finds its word group"));

    cmdSearch_ = named(new QPushButton(QStringLiteral("Go"), this), QStringLiteral("cmdSearch"));
    // Enter in any box of the panel is "Go", the panel's default button.
    setDefaultButton(cmdSearch_);
    cmdSearchAdv_ = named(new QPushButton(kAdvancedClosed, this), QStringLiteral("cmdSearchAdv"));

    auto* hint = new QLabel(QStringLiteral("+ must contain,  \\ must not contain,  / or;\nword@ adds the word's group"), this);
    hint->setObjectName(QStringLiteral("lblSearchHint"));
    hint->setWordWrap(true);
    QPalette grey = hint->palette();
    grey.setColor(QPalette::WindowText, grey.color(QPalette::Disabled, QPalette::WindowText));
    hint->setPalette(grey);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(cmdSearch_, 1);
    buttons->addWidget(cmdSearchAdv_, 1);

    // The advanced part scrolls rather than crushing its controls in a
    // short window.
    advancedScroll_ = new QScrollArea(this);
    advancedScroll_->setFrameShape(QFrame::NoFrame);
    advancedScroll_->setWidgetResizable(true);
    advancedScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    advancedScroll_->viewport()->setAutoFillBackground(false);
    advancedScroll_->setWidget(buildAdvanced());
    advancedScroll_->widget()->setAutoFillBackground(false);
    advancedScroll_->hide();
    frameSearchAdv_->hide();

    tmpList_ = named(new QListWidget(this), QStringLiteral("TmpList"));
    tmpList_->hide();

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(10, 8, 10, 8);
    box->setSpacing(6);
    box->addWidget(title);
    box->addWidget(txtSearch_);
    box->addLayout(buttons);
    box->addWidget(hint);
    box->addWidget(advancedScroll_, 1);
    box->addStretch(0);

    settle();
}

QWidget* SearchPanel::buildAdvanced()
{
    frameSearchAdv_ = named(new QFrame, QStringLiteral("frameSearchAdv"));
    frameSearchAdv_->setFrameShape(QFrame::NoFrame);
    auto* page = frameSearchAdv_;

    auto* areaBox = group(QStringLiteral("Search Areas"), "frameAreas", page);
    auto* grid = new QGridLayout(areaBox);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < search::kAreaCount; ++i) {
        areas_[static_cast<size_t>(i)] =
            named(new QCheckBox(QString::fromLatin1(kAreaCaptions[static_cast<size_t>(i)]), areaBox),
                  QStringLiteral("Areas_%1").arg(i));
        // Two columns: the areas of the scripture, then the rest.
        grid->addWidget(areas_[static_cast<size_t>(i)], i < 5 ? i : i - 5, i < 5 ? 0 : 1);
    }
    // Verses are searched until the reader chooses otherwise.
    areas_[1]->setChecked(true);

    auto* optionBox = group(QStringLiteral("Options"), "frameOptions", page);
    auto* options = new QGridLayout(optionBox);
    options->setVerticalSpacing(2);
    checks_[0] = named(new QCheckBox(QStringLiteral("Letter-case"), optionBox), QStringLiteral("Check1"));
    checks_[1] = named(new QCheckBox(QStringLiteral("Ignore Special Char (Whole Words)"), optionBox),
                       QStringLiteral("Check2"));
    checks_[2] = named(new QCheckBox(QStringLiteral("Ignore Special Char (Normal)"), optionBox), QStringLiteral("Check3"));
    checks_[4] = named(new QCheckBox(QStringLiteral("Highlight"), optionBox), QStringLiteral("Check5"));
    options->addWidget(checks_[0], 0, 0);
    options->addWidget(checks_[4], 0, 1);
    options->addWidget(checks_[1], 1, 0, 1, 2);
    options->addWidget(checks_[2], 2, 0, 1, 2);

    auto* scopeBox = group(QStringLiteral("Suras"), "frameScope", page);
    auto* scope = new QGridLayout(scopeBox);
    scope->setVerticalSpacing(2);
    op_[0] = named(new QRadioButton(QStringLiteral("All Suras"), scopeBox), QStringLiteral("Op_0"));
    op_[1] = named(new QRadioButton(QStringLiteral("Range of Suras"), scopeBox), QStringLiteral("Op_1"));
    op_[2] = named(new QRadioButton(QStringLiteral("Specified Suras"), scopeBox), QStringLiteral("Op_2"));
    op_[0]->setChecked(true);
    // A first start leaves the range empty; the hints say what goes in.
    txtSuraStart_ = numberBox(QStringLiteral("txtSuraStart"), QString(), 3, scopeBox);
    txtSuraEnd_ = numberBox(QStringLiteral("txtSuraEnd"), QString(), 3, scopeBox);
    txtSuraStart_->setPlaceholderText(QStringLiteral("1"));
    txtSuraEnd_->setPlaceholderText(QStringLiteral("114"));
    txtSuras_ = named(new QLineEdit(scopeBox), QStringLiteral("txtSuras"));
    txtSuras_->setPlaceholderText(QStringLiteral("2,3,23"));
    selectAllOnFocus(txtSuras_);
    auto* range = new QHBoxLayout;
    range->setSpacing(4);
    range->addWidget(txtSuraStart_);
    range->addWidget(new QLabel(QStringLiteral("to"), scopeBox));
    range->addWidget(txtSuraEnd_);
    range->addStretch(1);
    scope->addWidget(op_[0], 0, 0, 1, 2);
    scope->addWidget(op_[1], 1, 0);
    scope->addLayout(range, 1, 1);
    scope->addWidget(op_[2], 2, 0);
    scope->addWidget(txtSuras_, 2, 1);
    scope->setColumnStretch(1, 1);

    auto* orderBox = group(QStringLiteral("Order"), "frameOrder", page);
    auto* order = new QVBoxLayout(orderBox);
    order->setSpacing(2);
    opOrder_[0] = named(new QRadioButton(QStringLiteral("Actual Order"), orderBox), QStringLiteral("opOrder_0"));
    opOrder_[1] = named(new QRadioButton(QStringLiteral("Chronological Order of Revelation"), orderBox),
                        QStringLiteral("opOrder_1"));
    opOrder_[0]->setChecked(true);
    order->addWidget(opOrder_[0]);
    order->addWidget(opOrder_[1]);

    auto* blockBox = group(QStringLiteral("Block of Verses"), "frameBlock", page);
    auto* block = new QVBoxLayout(blockBox);
    block->setSpacing(4);
    checks_[3] = named(new QCheckBox(blockBox), QStringLiteral("Check4"));
    txtVD_ = numberBox(QStringLiteral("txtVD"), QStringLiteral("2"), 3, blockBox);
    cShowFirst_ = named(new QCheckBox(blockBox), QStringLiteral("cShowFirst"));
    block->addWidget(wrappedCheck(checks_[3], QStringLiteral("Search Multiple Words in block of Verses:"), txtVD_, blockBox));
    block->addWidget(wrappedCheck(
        cShowFirst_, QStringLiteral("Display Only the First Verse from every Set of Continuous Verses"), nullptr, blockBox));

    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(0, 4, 0, 0);
    v->setSpacing(6);
    v->addWidget(areaBox);
    v->addWidget(optionBox);
    v->addWidget(scopeBox);
    v->addWidget(orderBox);
    v->addWidget(blockBox);
    v->addStretch(1);

    connect(checks_[1], &QCheckBox::clicked, this, [this] { Check2_Click(); });
    connect(checks_[2], &QCheckBox::clicked, this, [this] { Check3_Click(); });
    connect(checks_[3], &QCheckBox::clicked, this, [this] { Check4_Click(); });
    for (int i = 0; i < 3; ++i)
        connect(op_[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Op_Click(i); });
    return page;
}

QCheckBox* SearchPanel::check(int number) const
{
    return number >= 1 && number <= 5 ? checks_[static_cast<size_t>(number - 1)] : nullptr;
}

bool SearchPanel::advancedOpen() const { return cmdSearchAdv_->text() == kAdvancedOpen; }

void SearchPanel::setAdvancedOpen(bool open) { cmdSearchAdv_->setText(open ? kAdvancedOpen : kAdvancedClosed); }

bool SearchPanel::advancedVisible() const { return !frameSearchAdv_->isHidden(); }

void SearchPanel::setAdvancedVisible(bool visible)
{
    frameSearchAdv_->setVisible(visible);
    advancedScroll_->setVisible(visible);
}

search::SearchOptions SearchPanel::options() const
{
    search::SearchOptions o;
    o.letterCase = checks_[0]->isChecked();
    o.ignoreWhole = checks_[1]->isChecked();
    o.ignoreNormal = checks_[2]->isChecked();
    o.scope = op_[2]->isChecked()   ? search::SuraScope::List
              : op_[1]->isChecked() ? search::SuraScope::Range
                                    : search::SuraScope::All;
    o.suraStart = txtSuraStart_->text().toStdString();
    o.suraEnd = txtSuraEnd_->text().toStdString();
    o.suras = txtSuras_->text().toStdString();
    o.chronological = chronological();
    return o;
}

search::AreaSet SearchPanel::areas() const
{
    search::AreaSet set{};
    for (size_t i = 0; i < set.size(); ++i)
        set[i] = areas_[i]->isChecked();
    return set;
}

search::BlockOptions SearchPanel::blockOptions() const
{
    search::BlockOptions b;
    b.windowSize = txtVD_->text().toStdString();
    b.showFirst = cShowFirst_->isChecked();
    b.letterCase = checks_[0]->isChecked();
    return b;
}

bool SearchPanel::chronological() const { return opOrder_[1]->isChecked(); }

search::SearchPanelState SearchPanel::panelState() const
{
    search::SearchPanelState s;
    s.letterCase = toggleOf(checks_[0]);
    s.ignoreWhole = toggleOf(checks_[1]);
    s.ignoreNormal = toggleOf(checks_[2]);
    s.block = toggleOf(checks_[3]);
    s.highlight = toggleOf(checks_[4]);
    s.showFirst = toggleOf(cShowFirst_);
    for (size_t i = 0; i < areas_.size(); ++i)
        s.areas[i] = toggleOf(areas_[i]);
    s.scope = op_[2]->isChecked() ? 2 : op_[1]->isChecked() ? 1 : 0;
    for (size_t i = 0; i < op_.size(); ++i)
        s.scopeEnabled[i] = op_[i]->isEnabled();
    s.suraStart = lookOf(txtSuraStart_);
    s.suraEnd = lookOf(txtSuraEnd_);
    s.suras = lookOf(txtSuras_);
    s.windowSize = lookOf(txtVD_);
    return s;
}

void SearchPanel::applyPanelState(const search::SearchPanelState& s)
{
    applyToggle(checks_[0], s.letterCase);
    applyToggle(checks_[1], s.ignoreWhole);
    applyToggle(checks_[2], s.ignoreNormal);
    applyToggle(checks_[3], s.block);
    applyToggle(checks_[4], s.highlight);
    applyToggle(cShowFirst_, s.showFirst);
    for (size_t i = 0; i < areas_.size(); ++i)
        applyToggle(areas_[i], s.areas[i]);
    op_[static_cast<size_t>(s.scope)]->setChecked(true);
    for (size_t i = 0; i < op_.size(); ++i)
        op_[i]->setEnabled(s.scopeEnabled[i]);
    applyLook(txtSuraStart_, s.suraStart);
    applyLook(txtSuraEnd_, s.suraEnd);
    applyLook(txtSuras_, s.suras);
    txtVD_->setEnabled(s.windowSize.enabled);
    // The captions beside their boxes grey out with them.
    for (QCheckBox* b : {checks_[3], cShowFirst_})
        if (auto* label = findChild<QLabel*>(b->objectName() + QStringLiteral("Caption")))
            label->setEnabled(b->isEnabled());
    if (s.focus == search::SearchPanelState::Focus::SuraStart)
        txtSuraStart_->setFocus(Qt::OtherFocusReason);
    else if (s.focus == search::SearchPanelState::Focus::Suras)
        txtSuras_->setFocus(Qt::OtherFocusReason);
}

void SearchPanel::Check2_Click()
{
    auto s = panelState();
    search::check2Click(s);
    applyPanelState(s);
}

void SearchPanel::Check3_Click()
{
    auto s = panelState();
    search::check3Click(s);
    applyPanelState(s);
}

void SearchPanel::Check4_Click()
{
    auto s = panelState();
    search::check4Click(s);
    applyPanelState(s);
}

void SearchPanel::Op_Click(int index)
{
    auto s = panelState();
    search::opClick(s, index);
    applyPanelState(s);
}

void SearchPanel::settle()
{
    auto s = panelState();
    search::settleSearchPanel(s);
    applyPanelState(s);
}
