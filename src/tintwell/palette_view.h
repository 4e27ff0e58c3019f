#pragma once

#include <QFrame>
#include <QWidget>

namespace tintwell {

// The frame drawn over the palette cell of the current colour: dark outside,
// light inside, so that it shows on every colour of the palette.
class SelectorFrame : public QFrame {
    Q_OBJECT
public:
    explicit SelectorFrame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Holds the palette cells. It takes the keyboard focus so that the arrow
// keys move the selection from cell to cell.
class PaletteView : public QWidget {
    Q_OBJECT
public:
    explicit PaletteView(QWidget* parent = nullptr);

signals:
    // Move the selection by this many cells (±1 across, ±18 down or up).
    void stepRequested(int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace tintwell
