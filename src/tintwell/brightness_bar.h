#pragma once

#include <QWidget>

namespace tintwell {

// The brightness bar (picBrightness): every brightness of one hue and
// saturation from the top (full) to the bottom (black), with a mark beside
// the row of the current colour. Pressing or dragging with the left button
// picks the colour of the bar at that point.
class BrightnessBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int StripeWidth = 20;
    static constexpr int MarkWidth = 9;

    explicit BrightnessBar(QWidget* parent = nullptr);

    // Draws the bar for the hue and saturation of an RGB colour.
    void draw(int rgb);
    // Moves the mark to the brightness of an RGB colour.
    void setMark(int rgb);
    // The colour the bar shows at a point of the widget.
    int colorAt(const QPoint& point) const;
    int drawnFor() const { return drawnFor_; }

signals:
    void picked(int rgb);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRect stripeRect() const;
    int unitAt(int y) const;
    int pixelOf(double unit) const;

    int drawnFor_ = 0xFFFFFF;
    int markRow_ = 0;
};

}  // namespace tintwell
