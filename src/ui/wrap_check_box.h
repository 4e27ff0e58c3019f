#pragma once

#include <QCheckBox>

// A check box whose caption wraps onto further lines in a narrow panel
// instead of being cut off; the whole caption is clickable. text() stays
// the caption as given.
class WrapCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit WrapCheckBox(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    int indent() const;
    int indicatorHeight() const;
    QRect captionRect(int width) const;
};
