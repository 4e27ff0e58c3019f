#include "tintwell/select_color_dialog.h"

#include "brightness_bar.h"
#include "palette_view.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

namespace tintwell {

namespace {

constexpr int PaletteLeft = 8;
constexpr int PaletteTop = 8;
constexpr int CellWidth = 18;
constexpr int CellHeight = 16;
constexpr int PaletteWidth = PaletteColumns * (CellWidth - 1) + 1;
constexpr int PaletteHeight = PaletteRows * (CellHeight - 1) + 1;

QColor toQColor(int rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

void paintBackground(QWidget* w, int rgb)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, toQColor(rgb));
    w->setPalette(p);
}

int boxValue(const QLineEdit* box) { return boxNumber(box->text().toStdString()).value_or(0); }

QLabel* caption(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

}  // namespace

frmMain::frmMain(const QString& title, int initialColor, QWidget* parent)
    : QDialog(parent), requestedTitle_(title), requestedColor_(initialColor)
{
    buildControls();
    Form_Load();
}

frmMain::~frmMain()
{
    // The boxes may still get a focus-out while the children are destroyed.
    for (QLineEdit* box : {txtHue_, txtSat_, txtBri_, txtRed_, txtGreen_, txtBlue_, txtHex_})
        box->removeEventFilter(this);
}

void frmMain::buildControls()
{
    setObjectName("frmMain");
    setWindowTitle(tr("Select Color"));

    palette_ = new PaletteView(this);
    palette_->setFixedSize(PaletteLeft + PaletteWidth + PaletteLeft, PaletteTop + PaletteHeight + PaletteTop);
    connect(palette_, &PaletteView::stepRequested, this, &frmMain::stepSelection);

    picBrightness_ = new BrightnessBar(this);
    picBrightness_->setFixedSize(BrightnessBar::StripeWidth + 2 + BrightnessBar::MarkWidth, PaletteHeight);
    connect(picBrightness_, &BrightnessBar::picked, this, &frmMain::brightnessPicked);

    lblCurrColor_ = new QLabel(this);
    lblCurrColor_->setObjectName("lblCurrColor");
    lblCurrColor_->setAutoFillBackground(true);
    lblCurrColor_->setFrameShape(QFrame::Box);
    lblCurrColor_->setFixedHeight(44);

    auto box = [this](const char* name, int width) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setFixedWidth(width);
        e->installEventFilter(this);
        return e;
    };
    txtHue_ = box("txtHue", 56);
    txtSat_ = box("txtSat", 56);
    txtBri_ = box("txtBri", 56);
    txtRed_ = box("txtRed", 56);
    txtGreen_ = box("txtGreen", 56);
    txtBlue_ = box("txtBlue", 56);
    txtHex_ = box("txtHex", 90);

    cmdOK_ = new QPushButton(tr("OK"), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(tr("&Cancel"), this);
    cmdCancel_->setObjectName("cmdCancel");

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, PaletteTop, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    grid->addWidget(caption("Label8", tr("Current color"), this), 0, 0, 1, 5);
    grid->addWidget(lblCurrColor_, 1, 0, 1, 5);
    auto* hsbHeading = caption("Label9", tr("HSB"), this);
    auto* rgbHeading = caption("Label10", tr("RGB"), this);
    for (QLabel* heading : {hsbHeading, rgbHeading}) {
        QFont f = heading->font();
        f.setBold(true);
        heading->setFont(f);
    }
    grid->addWidget(hsbHeading, 2, 0, 1, 2);
    grid->addWidget(rgbHeading, 2, 3, 1, 2);
    grid->addWidget(caption("Label1", tr("H:"), this), 3, 0);
    grid->addWidget(txtHue_, 3, 1);
    grid->addWidget(caption("Label2", tr("S:"), this), 4, 0);
    grid->addWidget(txtSat_, 4, 1);
    grid->addWidget(caption("Label3", tr("B:"), this), 5, 0);
    grid->addWidget(txtBri_, 5, 1);
    grid->setColumnMinimumWidth(2, 10);
    grid->addWidget(caption("Label4", tr("R:"), this), 3, 3);
    grid->addWidget(txtRed_, 3, 4);
    grid->addWidget(caption("Label5", tr("G:"), this), 4, 3);
    grid->addWidget(txtGreen_, 4, 4);
    grid->addWidget(caption("Label6", tr("B:"), this), 5, 3);
    grid->addWidget(txtBlue_, 5, 4);
    grid->addWidget(caption("Label7", tr("Hex: #"), this), 6, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(txtHex_, 6, 3, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(7, 1);

    auto* bar = new QVBoxLayout;
    bar->setContentsMargins(0, PaletteTop, 0, 0);
    bar->addWidget(picBrightness_);
    bar->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(palette_, 0, Qt::AlignTop);
    top->addLayout(bar);
    top->addLayout(grid);

    auto* hint = caption("Label11", tr("Click a color, then set its brightness on the bar."), this);
    hint->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(PaletteLeft, 0, 0, 0);
    buttons->addWidget(hint);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 12, 10);
    outer->setSpacing(4);
    outer->addLayout(top);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK_, &QPushButton::clicked, this, &frmMain::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);

    connect(txtHue_, &QLineEdit::textEdited, this, [this] {
        LimitNumber(txtHue_, 360, 0);
        applyHsbBoxes();
    });
    for (QLineEdit* e : {txtSat_, txtBri_})
        connect(e, &QLineEdit::textEdited, this, [this, e] {
            LimitNumber(e, 100, 0);
            applyHsbBoxes();
        });
    for (QLineEdit* e : {txtRed_, txtGreen_, txtBlue_})
        connect(e, &QLineEdit::textEdited, this, [this, e] {
            LimitNumber(e, 255, 0);
            applyRgbBoxes();
        });
    connect(txtHex_, &QLineEdit::textEdited, this, &frmMain::applyHexBox);

    setTabOrder(palette_, txtHue_);
    setTabOrder(txtHue_, txtSat_);
    setTabOrder(txtSat_, txtBri_);
    setTabOrder(txtBri_, txtRed_);
    setTabOrder(txtRed_, txtGreen_);
    setTabOrder(txtGreen_, txtBlue_);
    setTabOrder(txtBlue_, txtHex_);
    setTabOrder(txtHex_, cmdOK_);
    setTabOrder(cmdOK_, cmdCancel_);
}

void frmMain::Form_Load()
{
    color_ = -1;
    // Without a starting colour the boxes would show white while the swatch
    // showed nothing in particular, and OK would return a colour nobody
    // chose; start from white so that what is shown is what OK returns.
    // Bits above the 24 colour bits mean nothing and are dropped.
    requestedColor_ = requestedColor_ < 0 ? 0xFFFFFF : (requestedColor_ & 0xFFFFFF);
    BuildPalette();
    FillPalette(paletteBrightness_);
    if (!requestedTitle_.isEmpty())
        setWindowTitle(requestedTitle_);
    setSwatch(requestedColor_);
}

void frmMain::BuildPalette()
{
    for (int i = 0; i < PaletteCells; ++i) {
        const CellRect r = paletteCellRect(i, PaletteLeft, PaletteTop, CellWidth, CellHeight);
        auto* cell = new QLabel(palette_);
        cell->setObjectName(QStringLiteral("pc_%1").arg(i));
        cell->setGeometry(r.left, r.top, r.width, r.height);
        cell->setAutoFillBackground(true);
        cell->setFrameShape(QFrame::Box);
        cell->setLineWidth(1);
        QPalette p = cell->palette();
        p.setColor(QPalette::WindowText, QColor(96, 96, 96));
        cell->setPalette(p);
        cell->setProperty("cell", i);
        cell->installEventFilter(this);
        pc_[static_cast<std::size_t>(i)] = cell;
    }
    selector_ = new SelectorFrame(palette_);
    placeSelector(0);
}

void frmMain::FillPalette(int brightness)
{
    int found = -1;
    for (int i = 0; i < PaletteCells; ++i) {
        const int c = paletteColor(i, brightness);
        cellColors_[static_cast<std::size_t>(i)] = c;
        paintBackground(pc_[static_cast<std::size_t>(i)], c);
        if (c == requestedColor_)
            found = i;
    }
    if (found >= 0) {
        selectCell(found);
    } else {
        selector_->hide();
        selected_ = -1;
        fillHsbBoxes(requestedColor_);
        fillRgbBoxes(requestedColor_);
        fillHexBox(requestedColor_);
        DrawBrightnessBar(requestedColor_);
    }
}

void frmMain::DrawBrightnessBar(int color) { picBrightness_->draw(color); }

int frmMain::cellColor(int cell) const
{
    return cell >= 0 && cell < PaletteCells ? cellColors_[static_cast<std::size_t>(cell)] : -1;
}

int frmMain::selectedCell() const { return selector_->isVisibleTo(this) ? selected_ : -1; }

void frmMain::placeSelector(int cell)
{
    const QRect r = pc_[static_cast<std::size_t>(cell)]->geometry();
    selector_->setGeometry(r.adjusted(-1, -1, 1, 1));
    selector_->raise();
    selected_ = cell;
}

void frmMain::selectCell(int cell)
{
    if (cell < 0 || cell >= PaletteCells)
        return;
    placeSelector(cell);
    selector_->show();
    const int c = cellColors_[static_cast<std::size_t>(cell)];
    setSwatch(c);
    DrawBrightnessBar(c);
    fillHsbBoxes(c);
    fillRgbBoxes(c);
    fillHexBox(c);
}

void frmMain::MarkCell(int color)
{
    selector_->hide();
    selected_ = -1;
    const auto it = std::find(cellColors_.begin(), cellColors_.end(), color);
    if (it == cellColors_.end())
        return;
    placeSelector(static_cast<int>(it - cellColors_.begin()));
    selector_->show();
}

void frmMain::setSwatch(int color)
{
    current_ = color & 0xFFFFFF;
    paintBackground(lblCurrColor_, current_);
    lblCurrColor_->setToolTip(QString::fromStdString(converter_.RGBAsString(current_)));
    picBrightness_->setMark(current_);
}

void frmMain::fillHsbBoxes(int color)
{
    const int hsb = converter_.RGBToHSB(color);
    txtHue_->setText(QString::number(converter_.hue(hsb)));
    txtSat_->setText(QString::number(converter_.Saturation(hsb)));
    txtBri_->setText(QString::number(converter_.brightness(hsb)));
}

void frmMain::fillRgbBoxes(int color)
{
    txtRed_->setText(QString::number(converter_.Red(color)));
    txtGreen_->setText(QString::number(converter_.Green(color)));
    txtBlue_->setText(QString::number(converter_.Blue(color)));
}

void frmMain::fillHexBox(int color) { txtHex_->setText(QString::fromStdString(ColorToHex(color))); }

void frmMain::LimitNumber(QLineEdit* box, int max, int min)
{
    std::string text = box->text().toStdString();
    if (tintwell::LimitNumber(text, max, min))
        box->setText(QString::fromStdString(text));
}

void frmMain::applyHsbBoxes()
{
    // HSBToLong limits the hue to 359, so a box showing 360 means 359.
    const int c = converter_.HSBToRGB(converter_.HSBToLong(boxValue(txtHue_), boxValue(txtSat_), boxValue(txtBri_)));
    setSwatch(c);
    DrawBrightnessBar(c);
    fillRgbBoxes(c);
    fillHexBox(c);
    MarkCell(c);
}

void frmMain::applyRgbBoxes()
{
    const int c = converter_.RGBToLong(boxValue(txtRed_), boxValue(txtGreen_), boxValue(txtBlue_));
    setSwatch(c);
    DrawBrightnessBar(c);
    fillHsbBoxes(c);
    fillHexBox(c);
    MarkCell(c);
}

void frmMain::applyHexBox()
{
    const int c = HexToColor(txtHex_->text().toStdString());
    setSwatch(c);
    DrawBrightnessBar(c);
    fillHsbBoxes(c);
    fillRgbBoxes(c);
    MarkCell(c);
}

void frmMain::padHexBox()
{
    const QString text = txtHex_->text();
    if (text.size() >= 6)
        return;
    txtHex_->setText(text.rightJustified(6, QLatin1Char('0')));
    // The padded code reads differently from the short one ("f80" is red
    // F8, "000f80" is blue 80): the colour follows what the box now shows,
    // so that OK returns the code the reader sees.
    applyHexBox();
}

void frmMain::stepSelection(int delta)
{
    if (selected_ < 0) {
        selectCell(0);
        return;
    }
    const int to = selected_ + delta;
    if (to < 0 || to >= PaletteCells)
        return;
    // Left and right stay within the row.
    if (std::abs(delta) == 1 && to / PaletteColumns != selected_ / PaletteColumns)
        return;
    selectCell(to);
}

void frmMain::brightnessPicked(int color)
{
    setSwatch(color);
    fillHsbBoxes(color);
    fillRgbBoxes(color);
    fillHexBox(color);
    MarkCell(color);
}

void frmMain::cmdOK_Click()
{
    color_ = current_;
    accept();
}

void frmMain::cmdCancel_Click()
{
    color_ = -1;
    reject();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const QVariant cell = watched->property("cell");
        if (cell.isValid()) {
            selectCell(cell.toInt());
            palette_->setFocus(Qt::MouseFocusReason);
            return true;
        }
    }
    if (auto* box = qobject_cast<QLineEdit*>(watched)) {
        if (event->type() == QEvent::FocusIn) {
            // After a click the press itself would clear a selection made now.
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        } else if (event->type() == QEvent::FocusOut && box == txtHex_
                   && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            padHexBox();
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tintwell
