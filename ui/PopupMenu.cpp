#include "PopupMenu.h"

#include "PopupMenuEntries.h"
#include "ResourceImages.h"

#include <QFontMetrics>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace {

const QColor kIconStripColour(219, 216, 209);
const QColor kTextAreaColour(247, 248, 249);
const QColor kHighlightColour(177, 185, 207);
const QColor kMenuFrameColour(128, 128, 128);
constexpr int kLabelIndent = 8;       // from the icon strip to the label
constexpr int kLabelRightMargin = 4;  // at least, from the label's end to the frame

// Draws the menu's entries and sizes them; the rest is left to the application style.
class OwnerDrawMenuStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_MenuPanelWidth:
            return 1;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type == CT_MenuItem)
            return QSize(kPopupItemWidth, kPopupItemHeight);
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_PanelMenu) {
            painter->fillRect(option->rect, kTextAreaColour);
            return;
        }
        if (element == PE_FrameMenu) {
            painter->save();
            painter->setPen(kMenuFrameColour);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            painter->restore();
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || !item) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        drawEntry(*item, painter);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_Menu_FadeOutOnHide || hint == SH_Menu_FlashTriggeredItem)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    static void drawEntry(const QStyleOptionMenuItem& item, QPainter* painter)
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        QRect r = item.rect;
        const QRect iconStrip(r.left(), r.top(), kPopupIconStripWidth, r.height());
        QRect textArea(r.left() + kPopupIconStripWidth, r.top(), r.width() - kPopupIconStripWidth, r.height());
        const bool highlighted = item.state & State_Selected;

        if (highlighted) {
            painter->setPen(Qt::black);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(r.adjusted(0, 0, -1, -1));
            painter->fillRect(r.adjusted(1, 1, -1, -1), kHighlightColour);
        } else {
            painter->fillRect(iconStrip, kIconStripColour);
            painter->fillRect(textArea, kTextAreaColour);
        }

        // The icon sits 3 pixels into the strip, 24 x 24, one pixel up-left when lit.
        if (!item.icon.isNull()) {
            const QList<QSize> sizes = item.icon.availableSizes();
            const QPixmap pm = item.icon.pixmap(sizes.isEmpty() ? QSize(24, 24) : sizes.first());
            QPoint at = iconStrip.topLeft() + QPoint(3, 3);
            if (highlighted)
                at -= QPoint(1, 1);
            painter->drawPixmap(QRect(at, QSize(24, 24)), pm);
        }

        textArea.setLeft(textArea.left() + kLabelIndent);
        painter->setFont(item.font);
        painter->setPen(Qt::black);
        painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, item.text);
        painter->restore();
    }
};

} // namespace

OwnerDrawMenu::OwnerDrawMenu(QWidget* parent, IconProvider icons)
    : QMenu(parent), style_(std::make_unique<OwnerDrawMenuStyle>())
{
    setStyle(style_.get());
    // The menu font of the desktop's classic look, at the largest size up to 10 pixels
    // at which every label ends at least 4 pixels before the right frame (with DejaVu
    // Sans 9 pixels: "  Custom Background" is 107 pixels wide at 10).
    QFont f(QStringLiteral("DejaVu Sans"));
    for (int pixels = 10; pixels >= 6; --pixels) {
        f.setPixelSize(pixels);
        const QFontMetrics metrics(f);
        int widest = 0;
        for (const PopupMenuItem& entry : kPopupMenuItems)
            widest = std::max(widest, metrics.horizontalAdvance(QString::fromLatin1(entry.text)));
        if (kPopupIconStripWidth + kLabelIndent + widest + kLabelRightMargin <= kPopupItemWidth)
            break;
    }
    setFont(f);
    if (!icons)
        icons = [](int id) { return resourcePixmap(id); };

    for (const PopupMenuItem& entry : kPopupMenuItems) {
        QAction* action = addAction(QString::fromLatin1(entry.text));
        // The label keeps its blanks and has no mnemonic.
        action->setIconVisibleInMenu(true);
        action->setData(entry.commandId);
        const QPixmap pm = icons(entry.normalIconId);
        if (!pm.isNull())
            action->setIcon(QIcon(pm));
    }
}

OwnerDrawMenu::~OwnerDrawMenu()
{
    // The style object dies with this menu; let go of it first.
    setStyle(nullptr);
}

int OwnerDrawMenu::commandOf(const QAction* action) const
{
    if (!action || !actions().contains(const_cast<QAction*>(action)))
        return 0;
    return action->data().toInt();
}

QAction* OwnerDrawMenu::actionForCommand(int commandId) const
{
    for (QAction* action : actions())
        if (action->data().toInt() == commandId)
            return action;
    return nullptr;
}

int OwnerDrawMenu::execAt(QPoint globalPos)
{
    return commandOf(exec(globalPos));
}

int execPopupMenu(QWidget* parent, QPoint globalPos)
{
    OwnerDrawMenu menu(parent);
    return menu.execAt(globalPos);
}
