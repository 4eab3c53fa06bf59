#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QIcon>

// A check box drawn as a round lamp (bright green when checked, dark green when not) or
// as a pair of icons, with the text beside it. Keeps the control id of its place in the
// dialog.
//
// A click first flips the check state and repaints, and only then posts command(id) to
// the dialog (queued, so the dialog's handler runs after the click has finished and sees
// the new state). A dialog that wants radio behaviour sets the clicked button back to
// checked and clears the others in that handler.
class LampCheckButton : public QAbstractButton {
    Q_OBJECT
public:
    LampCheckButton(int id, const QString& text, QWidget* parent = nullptr);

    int controlId() const { return id_; }

    // The standard check messages: a state of 1 or 2 means checked, anything else not.
    void setCheck(int state, bool repaint = true);
    int getCheck() const { return isChecked() ? 1 : 0; }

    // Lamp fill when checked and when not (the latter also rings the lamp inside).
    void setLampColours(const QColor& checkedColour, const QColor& uncheckedColour);
    QColor checkedColour() const { return checkedColour_; }
    QColor uncheckedColour() const { return uncheckedColour_; }
    void setLampSize(int diameter);
    int lampSize() const { return lampSize_; }

    // Icons by resource id that replace the lamp once both are set (e.g. the switch
    // pictures 184 on, 183 off). A missing picture keeps the lamp.
    void setIcons(int checkedIconId, int uncheckedIconId);
    void setIcons(const QIcon& checkedIcon, const QIcon& uncheckedIcon);

    // Layout of the text: alignment within its area (left, right or centred) and which
    // side of the lamp it is on.
    void setTextAlignment(Qt::Alignment alignment);
    Qt::Alignment textAlignment() const { return textAlignment_; }
    void setTextOnLeft(bool textOnLeft);
    bool textOnLeft() const { return textOnLeft_; }

    bool isHovering() const { return hovering_; }

    // Where the lamp or icon sits, in client pixels (exposed for layout checks).
    QRect indicatorRect() const;

signals:
    // Posted after every click, once the new state is in place.
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void nextCheckState() override;
    QSize sizeHint() const override;

private:
    bool hasIconPair() const { return !checkedIcon_.isNull() && !uncheckedIcon_.isNull(); }
    int indicatorSize() const;
    void setHovering(bool hovering);

    int id_;
    bool hovering_ = false;
    int lampSize_ = 15;
    QColor checkedColour_{0, 255, 0};
    QColor uncheckedColour_{0, 127, 0};
    QIcon checkedIcon_;
    QIcon uncheckedIcon_;
    Qt::Alignment textAlignment_ = Qt::AlignLeft;
    bool textOnLeft_ = false;
};
