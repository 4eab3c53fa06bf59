#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

#include <functional>

// A web link shown as underlined text: blue before a successful visit, purple after,
// the palette's highlight colour while the mouse is over it, with a hand cursor and a
// tooltip that shows the address. A left click opens the address with the desktop's
// browser; when that fails the program beeps and explains the failure in a message box
// ("Unable to open hyperlink:", a blank line, and the text for the failure code).
//
// Before it is first shown the control shrinks to its text (fit to text), keeping the
// text where its alignment put it: left, centred or right; vertically centred when the
// alignment says so, else at the top.
class HyperLinkStatic : public QLabel {
    Q_OBJECT
public:
    // Opens an address; returns a result code, above 32 for success (see
    // HyperlinkErrors.h). The default opener returns 33 when the desktop took the
    // address, 31 when no program could be started for it, 2 for an empty address.
    using Opener = std::function<int(const QString& url)>;

    HyperLinkStatic(int id, const QString& text, QWidget* parent = nullptr);

    int controlId() const { return id_; }

    // The address to open; empty means the window text. When the text is empty the
    // control shows the address.
    void setUrl(const QString& url);
    QString url() const;

    void setLinkColours(const QColor& link, const QColor& visited, const QColor& hover);
    QColor linkColour() const { return linkColour_; }
    QColor visitedColour() const { return visitedColour_; }
    QColor hoverColour() const { return hoverColour_; }
    // The colour the text has now.
    QColor currentTextColour() const;

    void setUnderline(bool underline);
    void setFitToText(bool fit);
    // Shrinks the control to its text now (done once by itself before the first show).
    void fitToText();

    bool isHovering() const { return hovering_; }
    bool isVisited() const { return visited_; }

    // Replaces how the address is opened (tests; an empty function restores the default).
    void setOpener(Opener opener);

    // Opens the address as a click does: visited on success; beep and message otherwise.
    // Returns the result code.
    int openLink();

    static int openWithDesktop(const QString& url);

signals:
    // After every click, with the result code.
    void linkOpened(int code);

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void applyLook();
    void setHovering(bool hovering);

    int id_;
    QString url_;
    QColor linkColour_{0, 0, 238};
    QColor visitedColour_{85, 26, 139};
    QColor hoverColour_;
    bool hovering_ = false;
    bool visited_ = false;
    bool underline_ = true;
    bool fitToText_ = true;
    bool fitted_ = false;
    Opener opener_;
};
