#pragma once

#include <QBrush>
#include <QColor>
#include <QSlider>

// A slider whose thumb is a red ellipse (a checked red and green pattern while pressed,
// focused or under the mouse), whose channel gets a thin green frame, and which marks its
// two ends with small circles: a white one at the start, a filled one at the end.
// Horizontal: top-left and top-right corners (bottom corners with ticks above).
// Vertical: top-left and bottom-left corners (right-hand corners with ticks on the left).
class ColorSlider : public QSlider {
    Q_OBJECT
public:
    explicit ColorSlider(int id, Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

    int controlId() const { return id_; }

    // The thumb's fill and the end circles' outline. Also sets the thumb outline, the
    // channel frame and the end marker back to green, and rebuilds both thumb brushes.
    void setThumbColour(const QColor& colour);
    QColor thumbColour() const { return thumbColour_; }
    QColor thumbOutlineColour() const { return thumbOutline_; }
    QColor channelLightColour() const { return channelLight_; }
    QColor channelDarkColour() const { return channelDark_; }
    QColor endMarkerColour() const { return endMarkerFill_; }

    // The thumb's box and the two end circles' boxes, in client pixels.
    QRect thumbRect() const;
    QRect startMarkerRect() const;
    QRect endMarkerRect() const;

    // True while the thumb is drawn with the pressed pattern.
    bool thumbActive() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void rebuildBrushes();

    int id_;
    QColor thumbColour_{255, 0, 0};
    QColor thumbOutline_{0, 255, 0};
    QColor channelLight_{0, 255, 0};
    QColor channelDark_{0, 255, 0};
    QColor endMarkerFill_{0, 255, 0};
    QBrush thumbBrush_;
    QBrush pressedThumbBrush_;
    bool thumbHot_ = false;
};
