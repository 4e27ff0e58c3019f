#pragma once

#include "tintwell/color_converter.h"
#include "tintwell/export.h"
#include "tintwell/picker.h"

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tintwell {

class BrightnessBar;
class PaletteView;

// The "Select Color" dialog (object name frmMain): a palette of 198 cells,
// a brightness bar for the current hue and saturation, and seven boxes that
// show the current colour as hue, saturation, brightness, red, green, blue
// and hex code, all kept in step. ctrTintwell::ShowColor runs it modal; a
// program may also show it itself and read Color() when it has finished.
class TINTWELL_EXPORT frmMain : public QDialog {
    Q_OBJECT
public:
    // initialColor: the RGB colour to start from; negative for none, in
    // which case the dialog starts from white.
    explicit frmMain(const QString& title = {}, int initialColor = -1, QWidget* parent = nullptr);
    ~frmMain() override;

    // -1 until OK is pressed, then the colour chosen.
    int Color() const { return color_; }
    // The colour the swatch shows now (what OK would return).
    int currentColor() const { return current_; }
    int cellColor(int cell) const;
    // The palette cell under the selector, or -1 while the selector is hidden.
    int selectedCell() const;

    void selectCell(int cell);
    void MarkCell(int color);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void BuildPalette();
    void FillPalette(int brightness);
    void DrawBrightnessBar(int color);
    void LimitNumber(QLineEdit* box, int max, int min);
    void setSwatch(int color);
    void placeSelector(int cell);
    void fillHsbBoxes(int color);
    void fillRgbBoxes(int color);
    void fillHexBox(int color);
    void applyHsbBoxes();
    void applyRgbBoxes();
    void applyHexBox();
    void padHexBox();
    void stepSelection(int delta);
    void brightnessPicked(int color);
    void cmdOK_Click();
    void cmdCancel_Click();

    ColorConverter converter_;
    QString requestedTitle_;
    int requestedColor_ = -1;
    int color_ = -1;
    int current_ = 0;
    int selected_ = -1;
    int paletteBrightness_ = 100;
    std::array<int, PaletteCells> cellColors_{};

    PaletteView* palette_ = nullptr;
    std::array<QLabel*, PaletteCells> pc_{};
    QFrame* selector_ = nullptr;
    BrightnessBar* picBrightness_ = nullptr;
    QLabel* lblCurrColor_ = nullptr;
    QLineEdit* txtHue_ = nullptr;
    QLineEdit* txtSat_ = nullptr;
    QLineEdit* txtBri_ = nullptr;
    QLineEdit* txtRed_ = nullptr;
    QLineEdit* txtGreen_ = nullptr;
    QLineEdit* txtBlue_ = nullptr;
    QLineEdit* txtHex_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace tintwell
