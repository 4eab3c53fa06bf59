#pragma once

#include <QColor>
#include <QCursor>
#include <QIcon>
#include <QPushButton>

// A push button with a flat look: no edge until the mouse is over it, a thin raised edge
// while hovered and a sunken one while pressed. Optional icon (with a second icon for
// hover and press), its own colours for the normal and the hovered/pressed look, and its
// own cursor. Keeps the control id of its place in the dialog; a click emits the
// ordinary clicked() and then command(id).
//
// Look by state (flat, the default):
//   normal          background out, text out, no edge
//   hovered         background in, text in, thin raised edge (when drawBorder)
//   pressed         background in, text in, thin sunken edge (when drawBorder),
//                   icon and text one pixel lower and to the right
// Not flat (setFlat(false)): a two-pixel raised edge, a one-pixel shadow frame while
// pressed, a black frame around everything while focused, and no hover tracking.
class FlatButton : public QPushButton {
    Q_OBJECT
public:
    enum class IconPlacement {
        LeftOfText = 0,  // icon 3 px from the left edge, text centred in the rest
        RightOfText = 1, // icon 3 px from the right edge, text centred in the rest
        AboveText = 2,   // icon 3 px from the top edge, text centred below it
        BelowText = 3,   // icon 3 px from the bottom edge, text centred above it
    };

    FlatButton(int id, const QString& text, QWidget* parent = nullptr);

    int controlId() const { return id_; }

    // Flat buttons (the default) show an edge only when hovered or pressed.
    // (setFlat / isFlat are QPushButton's.)
    void setDrawBorder(bool drawBorder, bool repaint = true);
    bool drawsBorder() const { return drawBorder_; }
    void setShowText(bool showText, bool repaint = true);
    bool showsText() const { return showText_; }
    // Flat buttons draw the focus frame only when this is set.
    void setFlatFocus(bool flatFocus, bool repaint = true);
    bool hasFlatFocus() const { return flatFocus_; }

    // Colours of the normal look (out) and of the hovered/pressed look (in). All four
    // default to the palette's button face and button text.
    void setBackgroundOut(const QColor& colour, bool repaint = true);
    void setTextOut(const QColor& colour, bool repaint = true);
    void setBackgroundIn(const QColor& colour, bool repaint = true);
    void setTextIn(const QColor& colour, bool repaint = true);
    QColor backgroundOut() const { return backgroundOut_; }
    QColor textOut() const { return textOut_; }
    QColor backgroundIn() const { return backgroundIn_; }
    QColor textIn() const { return textIn_; }

    // Icons from the program's resources by id; hoverIconId 0 uses the first icon for
    // hover too. An id without a picture leaves the button without an icon.
    using QPushButton::setIcon;
    void setIcon(int iconId, int hoverIconId = 0, IconPlacement placement = IconPlacement::LeftOfText);
    // The same with pictures at hand.
    void setIcons(const QIcon& icon, const QIcon& hoverIcon, IconPlacement placement);
    IconPlacement iconPlacement() const { return placement_; }

    // The cursor shown over the button (by resource id, or a cursor at hand).
    void setButtonCursor(int cursorId);
    void setButtonCursor(const QCursor& cursor);

    bool isHovering() const { return hovering_; }

signals:
    void command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QSize sizeHint() const override;

private:
    void setHovering(bool hovering);
    void drawEdges(class QPainter& p, QRect& r, bool pressed) const;

    int id_;
    bool drawBorder_ = true;
    bool showText_ = true;
    bool flatFocus_ = false;
    bool hovering_ = false;
    QIcon icon_;
    QIcon hoverIcon_;
    IconPlacement placement_ = IconPlacement::LeftOfText;
    QColor backgroundOut_;
    QColor textOut_;
    QColor backgroundIn_;
    QColor textIn_;
};
