#pragma once

#include <QMenu>
#include <QPixmap>
#include <QPoint>

#include <functional>
#include <memory>

class QProxyStyle;

// The aquarium's right-button menu: eight owner-drawn entries of 140 x 48 pixels, each a
// 25-pixel icon strip (RGB 219, 216, 209) with its 24 x 24 icon and a text area
// (RGB 247, 248, 249) with the label 8 pixels in. The highlighted entry is framed in
// black and filled with RGB 177, 185, 207, its icon one pixel up and to the left.
// Either mouse button chooses an entry.
class OwnerDrawMenu : public QMenu {
    Q_OBJECT
public:
    // Gives the picture of an icon id; the default takes the program's resources.
    using IconProvider = std::function<QPixmap(int iconId)>;

    explicit OwnerDrawMenu(QWidget* parent = nullptr, IconProvider icons = {});
    ~OwnerDrawMenu() override;

    // The command id an action of this menu sends, 0 for none.
    int commandOf(const QAction* action) const;
    QAction* actionForCommand(int commandId) const;

    // Opens the menu with its top-left corner at a screen point and waits until an entry
    // is chosen (its command id) or the menu is dismissed (0).
    int execAt(QPoint globalPos);

private:
    std::unique_ptr<QProxyStyle> style_;
};

// Opens the popup menu at a screen point (the mouse position of the right click) and
// returns the chosen command id (1034 .. 1052, see PopupMenuEntries.h) or 0 when the menu
// was dismissed. Modal: returns once the menu has closed.
int execPopupMenu(QWidget* parent, QPoint globalPos);
