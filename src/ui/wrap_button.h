#pragma once

#include <QPushButton>

// A push button whose caption wraps onto a second line, and then takes a
// smaller font, when the button is too narrow for it on one line (the
// bars' buttons are sized as fractions of the window and get narrow at
// the minimum width). text() stays the caption as given.
class WrapButton : public QPushButton {
    Q_OBJECT

public:
    explicit WrapButton(QWidget* parent = nullptr);
    explicit WrapButton(const QString& text, QWidget* parent = nullptr);

    // True when the caption fits the button, wrapped and at the smallest
    // size if need be.
    bool captionFits() const;
    // The point size the caption is drawn at in the button's present size.
    double captionPointSize() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect captionRect() const;
    bool fitsAt(double pointSize) const;
};
