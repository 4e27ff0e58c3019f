#include "tintwell/color_converter.h"
#include "tintwell/ctr_tintwell.h"
#include "tintwell/select_color_dialog.h"
#include "tintwell/tintwell.h"

#include "support/test_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

using tintwell::ColorConverter;
using tintwell::frmMain;

namespace {

int rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

template <typename T = QWidget>
T* child(const QWidget& dialog, const char* name)
{
    T* w = dialog.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QLineEdit* box(const QWidget& dialog, const char* name) { return child<QLineEdit>(dialog, name); }

// What the seven boxes show, in the order hue, sat, bri, red, green, blue, hex.
std::string boxes(const QWidget& dialog)
{
    std::string out;
    for (const char* name : {"txtHue", "txtSat", "txtBri", "txtRed", "txtGreen", "txtBlue", "txtHex"}) {
        if (!out.empty())
            out += " ";
        out += box(dialog, name)->text().toStdString();
    }
    return out;
}

// Replaces a box's text the way a reader does: select it all and type.
void type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

int swatchColor(const QWidget& dialog)
{
    const QColor c = child<QLabel>(dialog, "lblCurrColor")->palette().color(QPalette::Window);
    return rgb(c.red(), c.green(), c.blue());
}

// The selector is drawn over exactly one cell: the one whose centre it shares.
bool selectorOn(const QWidget& dialog, int cell)
{
    const QWidget* selector = child(dialog, "selector");
    const QWidget* pc = child(dialog, ("pc_" + std::to_string(cell)).c_str());
    return selector && pc && selector->isVisible() && selector->geometry().center() == pc->geometry().center();
}

// Runs `action` on the modal dialog as soon as it is up.
void whenModalShows(std::function<void(QWidget&)> action)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(*modal);
        }
    });
    poll->start(10);
}

}  // namespace

TEST(SelectColorDialog, OpensOnTheCellOfTheInitialColour)
{
    frmMain dialog({}, 255);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Color");
    EXPECT_EQ(dialog.objectName(), "frmMain");
    EXPECT_EQ(dialog.Color(), -1);
    EXPECT_EQ(dialog.findChildren<QLabel*>(QRegularExpression("^pc_\\d+$")).size(), 198);

    EXPECT_EQ(dialog.selectedCell(), 180);
    EXPECT_TRUE(selectorOn(dialog, 180));
    EXPECT_EQ(dialog.cellColor(180), 255);
    EXPECT_EQ(dialog.cellColor(0), 16777215);
    const QColor cell0 = child(dialog, "pc_0")->palette().color(QPalette::Window);
    EXPECT_EQ(cell0, QColor(Qt::white));
    EXPECT_EQ(swatchColor(dialog), 255);
    EXPECT_EQ(boxes(dialog), "0 100 100 255 0 0 FF0000");

    // The selector lies over its cell, above it and the same size give or take its frame.
    const QRect cell = child(dialog, "pc_180")->geometry();
    const QRect frame = child(dialog, "selector")->geometry();
    EXPECT_TRUE(frame.contains(cell));
    EXPECT_LE(frame.width() - cell.width(), 4);
}

TEST(SelectColorDialog, ColourOutsideThePaletteHidesTheSelectorAndFillsTheBoxes)
{
    frmMain dialog("Text colour", rgb(0x12, 0x34, 0x56));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Text colour");
    EXPECT_EQ(dialog.selectedCell(), -1);
    EXPECT_FALSE(child(dialog, "selector")->isVisible());
    EXPECT_EQ(swatchColor(dialog), rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(boxes(dialog), "210 79 34 18 52 86 123456");
}

TEST(SelectColorDialog, OkReturnsTheSwatchAndCancelOrCloseReturnsMinusOne)
{
    {
        frmMain dialog({}, rgb(0x12, 0x34, 0x56));
        dialog.show();
        QTest::mouseClick(child(dialog, "cmdOK"), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.Color(), rgb(0x12, 0x34, 0x56));
    }
    {
        frmMain dialog({}, 255);
        dialog.show();
        type(box(dialog, "txtGreen"), "128");
        QTest::mouseClick(child(dialog, "cmdCancel"), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.Color(), -1);
    }
    {
        frmMain dialog({}, 255);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Color(), -1);
    }
    {
        frmMain dialog({}, 255);
        dialog.show();
        dialog.close();
        EXPECT_EQ(dialog.Color(), -1);
    }
    {
        // Without a starting colour the dialog shows white, and OK returns
        // the white it shows. Stray high bits of a starting colour are dropped.
        frmMain none;
        none.show();
        EXPECT_EQ(boxes(none), "0 0 100 255 255 255 FFFFFF");
        EXPECT_EQ(swatchColor(none), 16777215);
        QTest::mouseClick(child(none, "cmdOK"), Qt::LeftButton);
        EXPECT_EQ(none.Color(), 16777215);
        frmMain high({}, 0x01000000 + 255);
        EXPECT_EQ(high.currentColor(), 255);
        EXPECT_EQ(high.selectedCell(), 180);
    }
}

TEST(SelectColorDialog, HsbBoxesRefillRgbAndHex)
{
    frmMain dialog({}, 255);
    dialog.show();
    type(box(dialog, "txtHue"), "400");
    // The box shows 360; the colour is computed with hue 359.
    const int expected = ColorConverter::HSBToRGB(ColorConverter::HSBToLong(359, 100, 100));
    EXPECT_EQ(expected, rgb(255, 0, 4));
    EXPECT_EQ(boxes(dialog), "360 100 100 255 0 4 FF0004");
    EXPECT_EQ(dialog.currentColor(), expected);
    EXPECT_EQ(swatchColor(dialog), expected);
    EXPECT_EQ(dialog.selectedCell(), -1);

    type(box(dialog, "txtHue"), "120");
    type(box(dialog, "txtSat"), "50");
    EXPECT_EQ(boxes(dialog), "120 50 100 128 255 128 80FF80");  // 127.5 rounds to 128
    type(box(dialog, "txtBri"), "");
    EXPECT_EQ(boxes(dialog), "120 50 0 0 0 0 000000");  // an empty box reads as its minimum
    type(box(dialog, "txtBri"), "100");
    type(box(dialog, "txtSat"), "100");
    EXPECT_EQ(boxes(dialog), "120 100 100 0 255 0 00FF00");
    EXPECT_TRUE(selectorOn(dialog, 186));  // the green cell is marked again
    type(box(dialog, "txtSat"), "500");
    EXPECT_EQ(box(dialog, "txtSat")->text(), "100");
    type(box(dialog, "txtSat"), "abc");
    EXPECT_EQ(boxes(dialog), "120 0 100 255 255 255 FFFFFF");
}

TEST(SelectColorDialog, RgbBoxesRefillHsbAndHex)
{
    frmMain dialog({}, 255);
    dialog.show();
    type(box(dialog, "txtGreen"), "128");
    EXPECT_EQ(boxes(dialog), "30 100 100 255 128 0 FF8000");
    EXPECT_EQ(dialog.currentColor(), rgb(255, 128, 0));
    EXPECT_EQ(dialog.selectedCell(), -1);
    type(box(dialog, "txtRed"), "999");
    EXPECT_EQ(box(dialog, "txtRed")->text(), "255");
    type(box(dialog, "txtBlue"), "blue");
    EXPECT_EQ(boxes(dialog), "30 100 100 255 128 0 FF8000");
    type(box(dialog, "txtGreen"), "0");
    type(box(dialog, "txtBlue"), "255");
    EXPECT_EQ(boxes(dialog), "300 100 100 255 0 255 FF00FF");
    EXPECT_TRUE(selectorOn(dialog, 195));  // hue 300 is column 15 of the full-saturation row
}

TEST(SelectColorDialog, HexBoxRefillsTheSixNumbers)
{
    frmMain dialog({}, 255);
    dialog.show();
    QLineEdit* hex = box(dialog, "txtHex");
    type(hex, "#ff8000");
    EXPECT_EQ(boxes(dialog), "30 100 100 255 128 0 #ff8000");
    type(hex, "ff8000");
    EXPECT_EQ(boxes(dialog), "30 100 100 255 128 0 ff8000");
    EXPECT_EQ(dialog.currentColor(), rgb(255, 128, 0));
    type(hex, "0000ff");
    EXPECT_TRUE(selectorOn(dialog, 192));
}

TEST(SelectColorDialog, LeavingTheHexBoxPadsItAndTheColourFollows)
{
    frmMain dialog({}, 255);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QLineEdit* hex = box(dialog, "txtHex");
    hex->setFocus();
    type(hex, "f80");
    EXPECT_EQ(dialog.currentColor(), rgb(0xF8, 0, 0));  // while typing: red F8
    box(dialog, "txtRed")->setFocus();
    EXPECT_EQ(hex->text(), "000f80");
    EXPECT_EQ(dialog.currentColor(), rgb(0, 0x0F, 0x80));
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes(dialog).substr(boxes(dialog).find(' ', 8)), " 0 15 128 000f80");
    // A full code is left alone.
    hex->setFocus();
    type(hex, "#00ff00");
    box(dialog, "txtRed")->setFocus();
    EXPECT_EQ(hex->text(), "#00ff00");
    EXPECT_EQ(dialog.currentColor(), rgb(0, 255, 0));
}

TEST(SelectColorDialog, BoxesSelectTheirWholeTextOnFocus)
{
    frmMain dialog({}, 255);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    for (const char* name : {"txtHue", "txtSat", "txtBri", "txtRed", "txtGreen", "txtBlue", "txtHex"}) {
        QLineEdit* edit = box(dialog, name);
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
        QCoreApplication::processEvents();
        EXPECT_TRUE(edit->hasFocus()) << name;
        EXPECT_EQ(edit->selectedText(), edit->text()) << name;
    }
}

TEST(SelectColorDialog, PaletteCellsAndArrowKeysSelect)
{
    frmMain dialog({}, 255);
    dialog.show();
    QTest::mouseClick(child(dialog, "pc_186"), Qt::LeftButton);
    EXPECT_TRUE(selectorOn(dialog, 186));
    EXPECT_EQ(dialog.currentColor(), rgb(0, 255, 0));
    EXPECT_EQ(boxes(dialog), "120 100 100 0 255 0 00FF00");

    QTest::mouseClick(child(dialog, "pc_0"), Qt::RightButton);  // any button
    EXPECT_EQ(dialog.selectedCell(), 0);
    EXPECT_EQ(boxes(dialog), "0 0 100 255 255 255 FFFFFF");

    QWidget* palette = child(dialog, "palette");
    QTest::keyClick(palette, Qt::Key_Down);
    EXPECT_EQ(dialog.selectedCell(), 18);
    QTest::keyClick(palette, Qt::Key_Right);
    EXPECT_EQ(dialog.selectedCell(), 19);
    QTest::keyClick(palette, Qt::Key_Up);
    QTest::keyClick(palette, Qt::Key_Up);  // already on the top row
    EXPECT_EQ(dialog.selectedCell(), 1);
    QTest::keyClick(palette, Qt::Key_Left);
    QTest::keyClick(palette, Qt::Key_Left);  // already on the left edge
    EXPECT_EQ(dialog.selectedCell(), 0);
    EXPECT_EQ(dialog.currentColor(), 16777215);
}

TEST(SelectColorDialog, BrightnessBarPicksTheColourOfTheRowClicked)
{
    frmMain dialog({}, 255);
    dialog.show();
    QWidget* bar = child(dialog, "picBrightness");
    const int x = 5;

    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, 3));
    EXPECT_EQ(dialog.currentColor(), 255);
    EXPECT_TRUE(selectorOn(dialog, 180));

    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, bar->height() - 2));
    EXPECT_EQ(dialog.currentColor(), 0);
    EXPECT_EQ(boxes(dialog), "0 0 0 0 0 0 000000");
    // The bar is not redrawn for black: it still offers the reds.
    const QImage image = bar->grab().toImage();
    EXPECT_EQ(image.pixelColor(x, 3), QColor(255, 0, 0));

    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, bar->height() / 2));
    const int mid = dialog.currentColor();
    EXPECT_EQ(ColorConverter::Green(mid), 0);
    EXPECT_EQ(ColorConverter::Blue(mid), 0);
    EXPECT_GT(ColorConverter::Red(mid), 64);
    EXPECT_LT(ColorConverter::Red(mid), 230);
    EXPECT_EQ(QColor(image.pixel(x, bar->height() / 2)), QColor(ColorConverter::Red(mid), 0, 0));

    // Only the left button picks.
    QTest::mouseClick(bar, Qt::RightButton, {}, QPoint(x, 3));
    EXPECT_EQ(dialog.currentColor(), mid);
}

TEST(ShowColor, RunsTheDialogModalAndReturnsTheChoice)
{
    QWidget owner;
    owner.show();
    tintwell::ctrTintwell picker(&owner);

    QString seenTitle;
    whenModalShows([&](QWidget& modal) {
        seenTitle = modal.windowTitle();
        EXPECT_EQ(modal.parentWidget(), &owner);
        QTest::mouseClick(modal.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    EXPECT_EQ(picker.ShowColor("Pick one", 65280), 65280);
    EXPECT_EQ(seenTitle, "Pick one");
    EXPECT_EQ(tintwell::ctrTintwell::requestedTitle(), "Pick one");
    EXPECT_EQ(tintwell::ctrTintwell::requestedColor(), 65280);

    whenModalShows([&](QWidget& modal) {
        seenTitle = modal.windowTitle();
        type(modal.findChild<QLineEdit*>("txtHex"), "123456");
        QTest::mouseClick(modal.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    EXPECT_EQ(picker.ShowColor("", -1), rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(seenTitle, "Select Color");

    whenModalShows([](QWidget& modal) { QTest::mouseClick(modal.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton); });
    EXPECT_EQ(picker.ShowColor("Pick one", 255), -1);
}

TEST(ShowColor, TheCEntryPointShowsTheSameDialog)
{
    whenModalShows([](QWidget& modal) {
        EXPECT_EQ(modal.windowTitle(), QString::fromUtf8("Farbe wählen"));
        QTest::mouseClick(modal.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    EXPECT_EQ(tintwell_show_color("Farbe w\xc3\xa4hlen", 16711680), 16711680);
    whenModalShows([](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    EXPECT_EQ(tintwell_show_color(nullptr, 5), -1);
    EXPECT_EQ(tintwell_rgb_to_hsb(255), 25700);
    EXPECT_EQ(tintwell_hsb_to_rgb(25700), 255);
}

TEST(Demo, ExplainsItselfAndRefusesBadColours)
{
    const std::string demo = (testing_support::binDir() / "tintwell-demo").string();
    const auto help = testing_support::runProgram({demo, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: tintwell-demo"), std::string::npos);
    for (const char* bad : {"red", "16777216", "#ff80", "12.5"}) {
        const auto r = testing_support::runProgram({demo, "Title", bad});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("is not a colour"), std::string::npos) << bad;
    }
    EXPECT_EQ(testing_support::runProgram({demo, "a", "1", "2"}).status, 2);
}
