#include "HyperLinkStatic.h"

#include "HyperlinkErrors.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrl>

HyperLinkStatic::HyperLinkStatic(int id, const QString& text, QWidget* parent)
    : QLabel(text, parent), id_(id)
{
    hoverColour_ = palette().color(QPalette::Highlight);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    applyLook();
}

void HyperLinkStatic::setUrl(const QString& url)
{
    url_ = url;
    if (text().isEmpty())
        setText(url_);
    applyLook();
    if (fitted_)
        fitToText();
}

QString HyperLinkStatic::url() const
{
    return url_.isEmpty() ? text() : url_;
}

void HyperLinkStatic::setLinkColours(const QColor& link, const QColor& visited, const QColor& hover)
{
    linkColour_ = link;
    visitedColour_ = visited;
    hoverColour_ = hover;
    applyLook();
}

QColor HyperLinkStatic::currentTextColour() const
{
    if (hovering_)
        return hoverColour_;
    return visited_ ? visitedColour_ : linkColour_;
}

void HyperLinkStatic::setUnderline(bool underline)
{
    underline_ = underline;
    applyLook();
}

void HyperLinkStatic::setFitToText(bool fit)
{
    fitToText_ = fit;
}

void HyperLinkStatic::setOpener(Opener opener)
{
    opener_ = std::move(opener);
}

void HyperLinkStatic::applyLook()
{
    // Only the underline is set here; family and size still follow the dialog's font.
    QFont f;
    f.setUnderline(underline_);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, currentTextColour());
    setPalette(pal);
    setToolTip(url());
    update();
}

void HyperLinkStatic::fitToText()
{
    fitted_ = true;
    if (!fitToText_)
        return;
    const QSize extent = fontMetrics().size(Qt::TextSingleLine, text());
    const QRect old = geometry();
    QRect fitted(old.topLeft(), extent);
    const Qt::Alignment a = alignment();
    if (a & Qt::AlignHCenter)
        fitted.moveLeft(old.left() + (old.width() - extent.width()) / 2);
    else if (a & Qt::AlignRight)
        fitted.moveLeft(old.right() + 1 - extent.width());
    if (a & Qt::AlignVCenter)
        fitted.moveTop(old.top() + (old.height() - extent.height()) / 2);
    setGeometry(fitted);
}

void HyperLinkStatic::setHovering(bool hovering)
{
    if (hovering_ == hovering)
        return;
    hovering_ = hovering;
    applyLook();
}

bool HyperLinkStatic::event(QEvent* event)
{
    if (event->type() == QEvent::Polish && !fitted_)
        fitToText();
    return QLabel::event(event);
}

void HyperLinkStatic::mouseMoveEvent(QMouseEvent* event)
{
    QLabel::mouseMoveEvent(event);
    setHovering(rect().contains(event->position().toPoint()));
}

void HyperLinkStatic::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    setHovering(false);
}

void HyperLinkStatic::mousePressEvent(QMouseEvent* event)
{
    // The press belongs to the link: it must not reach the window below (where the fish
    // dialog would take it as a click beside its grid and drop the selected cell).
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        event->accept();
}

void HyperLinkStatic::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        openLink();
}

int HyperLinkStatic::openWithDesktop(const QString& url)
{
    const QString trimmed = url.trimmed();
    if (trimmed.isEmpty())
        return kHyperlinkFileNotFound;
    const QUrl target = QUrl::fromUserInput(trimmed);
    if (!target.isValid())
        return kHyperlinkFileNotFound;
    return QDesktopServices::openUrl(target) ? kHyperlinkOpened : kHyperlinkNoAssociation;
}

int HyperLinkStatic::openLink()
{
    const int code = opener_ ? opener_(url()) : openWithDesktop(url());
    if (hyperlinkOpened(code)) {
        visited_ = true;
        applyLook();
    } else {
        visited_ = false;
        applyLook();
        QApplication::beep();
        const QString caption =
            QApplication::applicationName().isEmpty() ? QStringLiteral("VarlenScr") : QApplication::applicationName();
        QMessageBox box(QMessageBox::Warning, caption, hyperlinkErrorMessage(code), QMessageBox::Ok, window());
        box.exec();
    }
    emit linkOpened(code);
    return code;
}
