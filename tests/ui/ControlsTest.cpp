// The four owner-drawn controls, drawn and clicked for real under a QApplication.
#include "ColorSlider.h"
#include "FlatButton.h"
#include "HyperLinkStatic.h"
#include "LampCheckButton.h"
#include "PopupMenu.h"
#include "PopupMenuEntries.h"
#include "UiTestApp.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

void sendMove(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void sendLeave(QWidget* w)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
}

// A palette colour as it lands in an RGB32 picture.
QColor rgb(const QColor& c)
{
    return QColor(c.rgb());
}

const QColor kBlue(0, 0, 200);
const QColor kRed(200, 0, 0);

class FlatButtonTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { uiTestApp(); }

    void SetUp() override
    {
        button = new FlatButton(1007, QString(), &host);
        button->setGeometry(10, 10, 60, 30);
        button->setBackgroundOut(kBlue);
        button->setBackgroundIn(kRed);
        host.resize(100, 60);
        host.show();
        QApplication::processEvents();
    }

    QWidget host;
    FlatButton* button = nullptr;
};

TEST_F(FlatButtonTest, startsFlatWithoutAnEdge)
{
    EXPECT_TRUE(button->isFlat());
    const QImage img = grabImage(button);
    EXPECT_EQ(pixelAt(img, 0, 0), kBlue);
    EXPECT_EQ(pixelAt(img, 59, 29), kBlue);
    EXPECT_EQ(pixelAt(img, 30, 15), kBlue);
}

TEST_F(FlatButtonTest, hoverShowsTheInColourAndARaisedEdge)
{
    sendMove(button, {30, 15});
    ASSERT_TRUE(button->isHovering());
    const QImage img = grabImage(button);
    EXPECT_EQ(pixelAt(img, 30, 15), kRed);
    EXPECT_EQ(pixelAt(img, 0, 0), rgb(button->palette().color(QPalette::Light)));
    EXPECT_EQ(pixelAt(img, 59, 29), rgb(button->palette().color(QPalette::Dark)));
}

TEST_F(FlatButtonTest, movingOffRestoresTheNormalLook)
{
    sendMove(button, {30, 15});
    sendMove(button, {70, 15}); // outside its 60 x 30
    EXPECT_FALSE(button->isHovering());
    EXPECT_EQ(pixelAt(grabImage(button), 30, 15), kBlue);

    sendMove(button, {30, 15});
    sendLeave(button);
    EXPECT_FALSE(button->isHovering());
    EXPECT_EQ(pixelAt(grabImage(button), 0, 0), kBlue);
}

TEST_F(FlatButtonTest, dragStartedElsewhereDoesNotHover)
{
    sendMove(button, {30, 15}, Qt::LeftButton);
    EXPECT_FALSE(button->isHovering());
}

TEST_F(FlatButtonTest, losingFocusClearsHover)
{
    button->setFocus();
    sendMove(button, {30, 15});
    ASSERT_TRUE(button->isHovering());
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(button, &out);
    EXPECT_FALSE(button->isHovering());
}

TEST_F(FlatButtonTest, pressedShowsASunkenEdge)
{
    button->setDown(true);
    const QImage img = grabImage(button);
    EXPECT_EQ(pixelAt(img, 0, 0), rgb(button->palette().color(QPalette::Dark)));
    EXPECT_EQ(pixelAt(img, 59, 29), rgb(button->palette().color(QPalette::Light)));
    EXPECT_EQ(pixelAt(img, 30, 15), kRed);
}

TEST_F(FlatButtonTest, withoutBorderHoverFillsButDrawsNoEdge)
{
    button->setDrawBorder(false);
    sendMove(button, {30, 15});
    EXPECT_EQ(pixelAt(grabImage(button), 0, 0), kRed);
}

TEST_F(FlatButtonTest, raisedButtonHasATwoPixelEdgeAndIgnoresHover)
{
    button->setFlat(false);
    sendMove(button, {30, 15});
    EXPECT_FALSE(button->isHovering());
    const QImage img = grabImage(button);
    const QPalette pal = button->palette();
    EXPECT_EQ(pixelAt(img, 0, 0), rgb(pal.color(QPalette::Light)));
    EXPECT_EQ(pixelAt(img, 1, 1), rgb(pal.color(QPalette::Midlight)));
    EXPECT_EQ(pixelAt(img, 59, 29), rgb(pal.color(QPalette::Dark)));
    EXPECT_EQ(pixelAt(img, 58, 28), rgb(pal.color(QPalette::Shadow)));
}

TEST_F(FlatButtonTest, focusedRaisedButtonGetsABlackFrame)
{
    button->setFlat(false);
    host.activateWindow();
    QApplication::setActiveWindow(&host);
    button->setFocus();
    ASSERT_TRUE(processUntil([&] { return button->hasFocus(); }));
    const QImage img = grabImage(button);
    EXPECT_EQ(pixelAt(img, 0, 0), QColor(Qt::black));
    EXPECT_EQ(pixelAt(img, 1, 1), rgb(button->palette().color(QPalette::Light)));
}

TEST_F(FlatButtonTest, clickSendsItsCommandId)
{
    int received = 0;
    QObject::connect(button, &FlatButton::command, [&](int id) { received = id; });
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(30, 15));
    EXPECT_EQ(received, 1007);
    EXPECT_EQ(button->controlId(), 1007);
}

TEST_F(FlatButtonTest, iconMovesOnePixelWhenPressed)
{
    QPixmap magenta(8, 8);
    magenta.fill(QColor(255, 0, 255));
    button->setText(QStringLiteral("Go"));
    button->setIcons(QIcon(magenta), QIcon(), FlatButton::IconPlacement::LeftOfText);
    // Left of the text: 3 px from the left edge, centred vertically: rows 11..18.
    EXPECT_EQ(pixelAt(grabImage(button), 3, 11), QColor(255, 0, 255));
    button->setDown(true);
    const QImage pressed = grabImage(button);
    EXPECT_EQ(pixelAt(pressed, 3, 11), kRed);
    EXPECT_EQ(pixelAt(pressed, 4, 12), QColor(255, 0, 255));
}

// ---- LampCheckButton ----

class LampCheckButtonTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { uiTestApp(); }

    void SetUp() override
    {
        lamp = new LampCheckButton(1020, QStringLiteral("On/Off"), &host);
        lamp->setGeometry(0, 0, 100, 25);
        host.resize(120, 40);
        host.show();
        QApplication::processEvents();
    }

    QColor lampCentre()
    {
        const QRect r = lamp->indicatorRect();
        return pixelAt(grabImage(lamp), r.center().x(), r.center().y());
    }

    QWidget host;
    LampCheckButton* lamp = nullptr;
};

TEST_F(LampCheckButtonTest, clickFlipsBeforeTheDialogHears)
{
    std::vector<int> seen;
    QObject::connect(lamp, &LampCheckButton::command, [&](int id) {
        EXPECT_EQ(id, 1020);
        seen.push_back(lamp->getCheck());
    });
    QTest::mouseClick(lamp, Qt::LeftButton, Qt::NoModifier, QPoint(50, 12));
    // Flipped at once; the command arrives afterwards, like a posted message.
    EXPECT_EQ(lamp->getCheck(), 1);
    EXPECT_TRUE(seen.empty());
    ASSERT_TRUE(processUntil([&] { return seen.size() == 1; }));
    EXPECT_EQ(seen[0], 1);

    QTest::mouseClick(lamp, Qt::LeftButton, Qt::NoModifier, QPoint(50, 12));
    ASSERT_TRUE(processUntil([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen[1], 0);
}

TEST_F(LampCheckButtonTest, dialogCanSetTheClickedOneBack)
{
    // Radio behaviour: the handler checks the clicked button again.
    lamp->setCheck(1);
    QObject::connect(lamp, &LampCheckButton::command, [&] { lamp->setCheck(1); });
    QTest::mouseClick(lamp, Qt::LeftButton, Qt::NoModifier, QPoint(50, 12));
    EXPECT_EQ(lamp->getCheck(), 0);
    ASSERT_TRUE(processUntil([&] { return lamp->getCheck() == 1; }));
}

struct CheckCase {
    int state;
    int expected;
};

class LampCheckButtonSetCheck : public LampCheckButtonTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(LampCheckButtonSetCheck, oneAndTwoMeanChecked)
{
    lamp->setCheck(GetParam().state == 0 ? 1 : 0);
    lamp->setCheck(GetParam().state);
    EXPECT_EQ(lamp->getCheck(), GetParam().expected);
    EXPECT_EQ(lamp->isChecked(), GetParam().expected == 1);
}

INSTANTIATE_TEST_SUITE_P(States, LampCheckButtonSetCheck,
                         ::testing::Values(CheckCase{0, 0}, CheckCase{1, 1}, CheckCase{2, 1}, CheckCase{3, 0},
                                           CheckCase{-1, 0}),
                         [](const ::testing::TestParamInfo<CheckCase>& info) {
                             return (info.param.state < 0 ? "minus" : "state") + std::to_string(std::abs(info.param.state));
                         });

TEST_F(LampCheckButtonTest, lampIsBrightWhenCheckedDarkWhenNot)
{
    EXPECT_EQ(lampCentre(), QColor(0, 127, 0));
    lamp->setCheck(1);
    EXPECT_EQ(lampCentre(), QColor(0, 255, 0));
    lamp->setLampColours(QColor(255, 255, 0), QColor(0, 0, 128));
    EXPECT_EQ(lampCentre(), QColor(255, 255, 0));
    lamp->setCheck(0);
    EXPECT_EQ(lampCentre(), QColor(0, 0, 128));
}

TEST_F(LampCheckButtonTest, disabledLampIsShadowGrey)
{
    lamp->setCheck(1);
    lamp->setEnabled(false);
    EXPECT_EQ(lampCentre(), rgb(lamp->palette().color(QPalette::Dark)));
}

TEST_F(LampCheckButtonTest, lampSitsAtTheInnerLeftEdgeOrRightWithTextOnLeft)
{
    // 100 x 25: inner box 3..96 x 3..21 (19 high); top = (19 - 15) / 2 + 2 = 4.
    EXPECT_EQ(lamp->indicatorRect(), QRect(3, 4, 15, 15));
    lamp->setTextOnLeft(true);
    EXPECT_EQ(lamp->indicatorRect(), QRect(82, 4, 15, 15));
}

TEST_F(LampCheckButtonTest, iconPairReplacesTheLamp)
{
    QPixmap on(20, 20), off(20, 20);
    on.fill(QColor(255, 0, 255));
    off.fill(QColor(0, 255, 255));
    lamp->setIcons(QIcon(on), QIcon(off));
    // The icon width sets the indicator: 20 px at the inner left edge.
    EXPECT_EQ(lamp->indicatorRect().width(), 20);
    EXPECT_EQ(pixelAt(grabImage(lamp), 5, 5), QColor(0, 255, 255));
    lamp->setCheck(1);
    EXPECT_EQ(pixelAt(grabImage(lamp), 5, 5), QColor(255, 0, 255));
}

TEST_F(LampCheckButtonTest, hoverFramesInBlackAndLeavingRestores)
{
    const QColor face = rgb(lamp->palette().color(QPalette::Button));
    EXPECT_EQ(pixelAt(grabImage(lamp), 50, 0), face);
    sendMove(lamp, {50, 12});
    ASSERT_TRUE(lamp->isHovering());
    QImage img = grabImage(lamp);
    EXPECT_EQ(pixelAt(img, 50, 0), QColor(Qt::black));
    EXPECT_EQ(pixelAt(img, 50, 1), rgb(lamp->palette().color(QPalette::Light)));
    sendLeave(lamp);
    EXPECT_FALSE(lamp->isHovering());
    EXPECT_EQ(pixelAt(grabImage(lamp), 50, 0), face);
}

// ---- ColorSlider ----

class ColorSliderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { uiTestApp(); }

    void SetUp() override
    {
        slider = new ColorSlider(1030, Qt::Horizontal, &host);
        slider->setFocusPolicy(Qt::NoFocus);
        slider->setRange(0, 100);
        slider->setValue(50);
        slider->setGeometry(0, 0, 200, 30);
        host.resize(220, 40);
        host.show();
        QApplication::processEvents();
    }

    QWidget host;
    ColorSlider* slider = nullptr;
};

TEST_F(ColorSliderTest, thumbIsARedEllipse)
{
    const QRect t = slider->thumbRect();
    const QImage img = grabImage(slider);
    EXPECT_EQ(pixelAt(img, t.center().x(), t.center().y()), QColor(255, 0, 0));
    // The box's corner lies outside the ellipse.
    EXPECT_NE(pixelAt(img, t.left(), t.top()), QColor(255, 0, 0));
}

TEST_F(ColorSliderTest, pressedThumbAlternatesThumbAndChannelColours)
{
    slider->setSliderDown(true);
    ASSERT_TRUE(slider->thumbActive());
    const QRect t = slider->thumbRect();
    const QImage img = grabImage(slider);
    const QColor a = pixelAt(img, t.center().x(), t.center().y());
    const QColor b = pixelAt(img, t.center().x() + 1, t.center().y());
    const QColor c = pixelAt(img, t.center().x() + 1, t.center().y() + 1);
    EXPECT_NE(a, b);
    EXPECT_EQ(a, c);
    EXPECT_TRUE((a == QColor(255, 0, 0) && b == QColor(0, 255, 0)) || (a == QColor(0, 255, 0) && b == QColor(255, 0, 0)));
}

TEST_F(ColorSliderTest, endCirclesWhiteAtStartGreenAtEnd)
{
    const QImage img = grabImage(slider);
    EXPECT_EQ(slider->startMarkerRect(), QRect(1, 1, 7, 7));
    EXPECT_EQ(slider->endMarkerRect(), QRect(192, 1, 7, 7));
    EXPECT_EQ(pixelAt(img, 4, 4), QColor(Qt::white));
    EXPECT_EQ(pixelAt(img, 195, 4), QColor(0, 255, 0));
    // Outline in the thumb colour at the circle's left edge.
    EXPECT_EQ(pixelAt(img, 1, 4), QColor(255, 0, 0));
}

TEST_F(ColorSliderTest, ticksAboveMoveTheCirclesToTheBottom)
{
    slider->setTickPosition(QSlider::TicksAbove);
    EXPECT_EQ(slider->startMarkerRect(), QRect(1, 22, 7, 7));
    EXPECT_EQ(slider->endMarkerRect(), QRect(192, 22, 7, 7));
}

TEST_F(ColorSliderTest, verticalSliderMarksTopAndBottomLeft)
{
    slider->setOrientation(Qt::Vertical);
    slider->setGeometry(0, 0, 30, 200);
    EXPECT_EQ(slider->startMarkerRect(), QRect(1, 1, 7, 7));
    EXPECT_EQ(slider->endMarkerRect(), QRect(1, 192, 7, 7));
    slider->setTickPosition(QSlider::TicksLeft);
    EXPECT_EQ(slider->startMarkerRect(), QRect(22, 1, 7, 7));
}

TEST_F(ColorSliderTest, newThumbColourResetsTheGreens)
{
    slider->setThumbColour(QColor(0, 0, 255));
    EXPECT_EQ(slider->thumbOutlineColour(), QColor(0, 255, 0));
    EXPECT_EQ(slider->channelLightColour(), QColor(0, 255, 0));
    EXPECT_EQ(slider->endMarkerColour(), QColor(0, 255, 0));
    const QRect t = slider->thumbRect();
    EXPECT_EQ(pixelAt(grabImage(slider), t.center().x(), t.center().y()), QColor(0, 0, 255));
}

// ---- HyperLinkStatic ----

class HyperLinkStaticTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { uiTestApp(); }

    void SetUp() override
    {
        link = new HyperLinkStatic(1037, QStringLiteral("www.varlenfish.example"), &host);
        link->setGeometry(14, 540, 169, 19);
        host.resize(300, 600);
        host.show();
        QApplication::processEvents();
    }

    // Clicks the link and returns the text of the message box it shows (empty if none).
    QString clickAndReadMessage()
    {
        QString text;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->accept();
            }
        });
        QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QApplication::processEvents(); // the check above runs now when no box came up
        return text;
    }

    QWidget host;
    HyperLinkStatic* link = nullptr;
};

TEST_F(HyperLinkStaticTest, fitsItsTextAndShowsTheAddressAsTooltip)
{
    const QSize text = link->fontMetrics().size(Qt::TextSingleLine, link->text());
    EXPECT_EQ(link->geometry(), QRect(QPoint(14, 540), text));
    EXPECT_EQ(link->toolTip(), QStringLiteral("www.varlenfish.example"));
    EXPECT_EQ(link->url(), QStringLiteral("www.varlenfish.example"));
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(HyperLinkStaticTest, keepsFollowingTheParentFontWithUnderline)
{
    QFont big(QStringLiteral("DejaVu Sans"));
    big.setPixelSize(20);
    host.setFont(big);
    EXPECT_EQ(link->font().pixelSize(), 20);
    EXPECT_TRUE(link->font().underline());
}

TEST_F(HyperLinkStaticTest, centredLinkStaysCentredWhenFitted)
{
    auto* centred = new HyperLinkStatic(1, QStringLiteral("ab"), &host);
    centred->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    centred->setGeometry(0, 0, 200, 20);
    centred->fitToText();
    const QSize text = centred->fontMetrics().size(Qt::TextSingleLine, QStringLiteral("ab"));
    EXPECT_EQ(centred->geometry().left(), (200 - text.width()) / 2);
}

struct FailureCase {
    int code;
    const char* message;
};

class HyperLinkStaticFailure : public HyperLinkStaticTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(HyperLinkStaticFailure, showsTheMessageForItsCode)
{
    const int code = GetParam().code;
    link->setOpener([code](const QString&) { return code; });
    EXPECT_EQ(clickAndReadMessage(), QString::fromLatin1(GetParam().message));
    EXPECT_FALSE(link->isVisited());
    EXPECT_EQ(link->currentTextColour(), QColor(0, 0, 238));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, HyperLinkStaticFailure,
    ::testing::Values(FailureCase{4, "Unable to open hyperlink:\n\nUnknown Error (4) occurred."},
                      FailureCase{2, "Unable to open hyperlink:\n\nThe specified file was not found."},
                      FailureCase{31, "Unable to open hyperlink:\n\nThere is no application associated\n"
                                      "with the given filename extension."},
                      FailureCase{32, "Unable to open hyperlink:\n\nThe specified dynamic-link library was not found."}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return "code" + std::to_string(info.param.code); });

TEST_F(HyperLinkStaticTest, successfulOpenMarksVisitedWithoutMessage)
{
    QString opened;
    link->setOpener([&](const QString& url) {
        opened = url;
        return 42;
    });
    EXPECT_EQ(clickAndReadMessage(), QString());
    EXPECT_EQ(opened, QStringLiteral("www.varlenfish.example"));
    EXPECT_TRUE(link->isVisited());
    EXPECT_EQ(link->currentTextColour(), QColor(85, 26, 139));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(85, 26, 139));
}

TEST_F(HyperLinkStaticTest, aFailureAfterAVisitTakesTheVisitBack)
{
    link->setOpener([](const QString&) { return 33; });
    clickAndReadMessage();
    link->setOpener([](const QString&) { return 5; });
    clickAndReadMessage();
    EXPECT_FALSE(link->isVisited());
}

TEST_F(HyperLinkStaticTest, hoverColourWhileOverAndRestoredAfter)
{
    const QColor hover = link->hoverColour();
    sendMove(link, {5, 5});
    EXPECT_TRUE(link->isHovering());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), hover);
    sendMove(link, {-3, 5});
    EXPECT_FALSE(link->isHovering());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 238));
    sendMove(link, {5, 5});
    sendLeave(link);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 238));
}

TEST_F(HyperLinkStaticTest, separateUrlOpensThatAddress)
{
    QString opened;
    link->setUrl(QStringLiteral("https://www.varlenfish.example/fish"));
    link->setOpener([&](const QString& url) {
        opened = url;
        return 33;
    });
    clickAndReadMessage();
    EXPECT_EQ(opened, QStringLiteral("https://www.varlenfish.example/fish"));
    EXPECT_EQ(link->toolTip(), QStringLiteral("https://www.varlenfish.example/fish"));
}

TEST(HyperLinkStaticOpen, emptyAddressIsFileNotFound)
{
    uiTestApp();
    EXPECT_EQ(HyperLinkStatic::openWithDesktop(QString()), 2);
    EXPECT_EQ(HyperLinkStatic::openWithDesktop(QStringLiteral("   ")), 2);
}

} // namespace

// ---- popup menu: room for the labels ----

// Every label ends at least 4 pixels before the menu's right frame: the ink of the
// widest entry, "  Custom Background", is looked for on the menu as drawn.
TEST(PopupMenuLabels, everyLabelKeepsFourPixelsFromTheRightFrame)
{
    uiTestApp();
    OwnerDrawMenu menu(nullptr, [](int) { return QPixmap(); });
    menu.popup(QPoint(100, 100));
    ASSERT_TRUE(processUntil([&] { return menu.isVisible(); }));
    const QImage img = grabImage(&menu);
    const int frameX = img.width() - 1;
    for (QAction *action : menu.actions()) {
        const QRect r = menu.actionGeometry(action);
        int lastInk = -1;
        for (int x = r.left() + kPopupIconStripWidth; x < frameX; ++x)
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const QColor c = pixelAt(img, x, y);
                if (c.red() < 128 && c.green() < 128 && c.blue() < 128)
                    lastInk = x;
            }
        ASSERT_GE(lastInk, 0) << action->text().toStdString();
        EXPECT_GE(frameX - lastInk - 1, 4) << action->text().toStdString();
    }
    menu.hide();
}
