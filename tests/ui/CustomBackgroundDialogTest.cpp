#include "CustomBackgroundDialog.h"

#include "DialogTestSupport.h"
#include "FlatButton.h"
#include "LampCheckButton.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>

namespace {

bool isRed(const QColor &c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
bool isBlue(const QColor &c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; }
bool isWhite(const QColor &c) { return c.red() > 240 && c.green() > 240 && c.blue() > 240; }

class CustomBackgroundDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        uiTestApp();
        gl_ = std::make_unique<TestGlContext>();
        ASSERT_TRUE(gl_->isValid());
        ownImageOn = false;
        prompts_ = std::make_unique<PromptAnswerer>();
    }
    void TearDown() override
    {
        dialog_.reset();
        prompts_.reset();
    }

    CustomBackgroundDialog &open()
    {
        dialog_ = std::make_unique<CustomBackgroundDialog>(nullptr, [this] { gl_->makeCurrent(); });
        return *dialog_;
    }

    QString file(const char *name) const { return files_.path() + QLatin1Char('/') + QLatin1String(name); }
    QString redPicture() const { return writePicture(file("red.png"), Qt::red); }
    QString bluePicture() const { return writePicture(file("blue.jpg"), Qt::blue); }

    LampCheckButton *lamp(int id) const { return static_cast<LampCheckButton *>(dialog_->control(id)); }
    QTableWidget *list() const { return static_cast<QTableWidget *>(dialog_->control(CustomBackgroundDialog::PictureList)); }
    QLineEdit *interval() const { return static_cast<QLineEdit *>(dialog_->control(CustomBackgroundDialog::IntervalBox)); }

    void click(int id)
    {
        // The pointer moves there first, as a user's does (a hovered flat button keeps
        // the mouse until the pointer leaves it).
        QWidget *w = dialog_->control(id);
        QTest::mouseMove(w, w->rect().center());
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        QApplication::processEvents();  // the lamps post their command
    }

    // A user's double-click on a row: the first click selects it, the second opens it.
    void doubleClickRow(int row)
    {
        const QPoint at = list()->visualItemRect(list()->item(row, 0)).center();
        QTest::mouseMove(list()->viewport(), at);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }

    std::string stateColumn() const
    {
        std::string s;
        for (int row = 0; row < list()->rowCount(); ++row)
            s += list()->item(row, 1)->text().toStdString() + " ";
        return s;
    }

    bool onlyChecked(int id) const
    {
        for (int box : {CustomBackgroundDialog::RepeatOneBox, CustomBackgroundDialog::RepeatAllBox,
                        CustomBackgroundDialog::RandomBox}) {
            if (lamp(box)->isChecked() != (box == id))
                return false;
        }
        return true;
    }

    ScopedConfigHome config_;
    QTemporaryDir files_;
    std::unique_ptr<TestGlContext> gl_;
    std::unique_ptr<PromptAnswerer> prompts_;
    std::unique_ptr<CustomBackgroundDialog> dialog_;
};

} // namespace

TEST_F(CustomBackgroundDialogTest, firstStartShowsDefaults)
{
    CustomBackgroundDialog &d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Custom Background - Varlen Fish 3D Screensaver 1.0"));
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.size(), QSize(530, 270));  // 265 x 135 units at 2 px each
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_FALSE(lamp(CustomBackgroundDialog::OwnImageBox)->isChecked());
    EXPECT_TRUE(onlyChecked(CustomBackgroundDialog::RepeatOneBox));
    EXPECT_EQ(interval()->text(), QStringLiteral("5"));
    EXPECT_EQ(list()->horizontalHeaderItem(0)->text(), QStringLiteral("Backgrounds Directory"));
    EXPECT_EQ(list()->horizontalHeaderItem(1)->text(), QStringLiteral("State"));
    EXPECT_EQ(list()->columnWidth(0), 430);
    EXPECT_EQ(list()->columnWidth(1), 50);
    EXPECT_TRUE(prompts_->messages().empty());
}

struct BackgroundControlPlace {
    int id;
    QRect pixels;  // the template's dialog units, 2 px per unit
};
void PrintTo(const BackgroundControlPlace &p, std::ostream *out) { *out << "control " << p.id; }

class CustomBackgroundDialogLayout : public CustomBackgroundDialogTest,
                                     public ::testing::WithParamInterface<BackgroundControlPlace> {};

TEST_P(CustomBackgroundDialogLayout, controlSitsWhereTemplatePutsIt)
{
    open();
    EXPECT_EQ(dialog_->control(GetParam().id)->geometry(), GetParam().pixels) << GetParam().id;
}

INSTANTIATE_TEST_SUITE_P(Template, CustomBackgroundDialogLayout,
    // The switch (1014) is set beside its label instead (see the switch's own test).
    ::testing::Values(BackgroundControlPlace{1014, QRect(11, 26, 29, 14)},
                      BackgroundControlPlace{1015, QRect(14, 46, 502, 174)},
                      BackgroundControlPlace{1023, QRect(188, 24, 20, 18)},
                      BackgroundControlPlace{1024, QRect(294, 24, 20, 18)},
                      BackgroundControlPlace{1025, QRect(398, 24, 20, 18)},
                      BackgroundControlPlace{1019, QRect(408, 236, 48, 24)},
                      BackgroundControlPlace{1008, QRect(14, 234, 100, 22)},
                      BackgroundControlPlace{1011, QRect(126, 234, 102, 22)},
                      BackgroundControlPlace{1012, QRect(238, 234, 100, 22)}),
    [](const auto &info) { return "id" + std::to_string(info.param.id); });

TEST_F(CustomBackgroundDialogTest, eleventhPictureShowsMaximumMessage)
{
    CustomBackgroundDialog &d = open();
    const std::string red = redPicture().toStdString();
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(d.addImage(red));
    EXPECT_FALSE(d.addImage(red));
    EXPECT_EQ(list()->rowCount(), 10);
    ASSERT_EQ(prompts_->messages().size(), 1u);
    EXPECT_EQ(prompts_->messages()[0], QStringLiteral("The maximum number of background is: 10"));
    EXPECT_EQ(prompts_->messageTitles()[0], QStringLiteral("VarlenScr"));
}

struct BadPicture {
    const char *name;
    QString (*write)(const QString &path);
};
void PrintTo(const BadPicture &p, std::ostream *out) { *out << p.name; }

class CustomBackgroundDialogBadPicture : public CustomBackgroundDialogTest,
                                         public ::testing::WithParamInterface<BadPicture> {};

TEST_P(CustomBackgroundDialogBadPicture, reportsLoadingErrorAndStopsRotation)
{
    CustomBackgroundDialog &d = open();
    ASSERT_TRUE(d.addImage(redPicture().toStdString()));
    click(CustomBackgroundDialog::OwnImageBox);
    ASSERT_TRUE(d.rotation().rotationOn());

    QString path = file(GetParam().name);
    if (GetParam().write)
        path = GetParam().write(path);
    EXPECT_FALSE(d.addImage(path.toStdString()));

    ASSERT_EQ(prompts_->messages().size(), 1u);
    EXPECT_EQ(prompts_->messages()[0], QLatin1Char('(') + path + QStringLiteral(")image loading error."));
    EXPECT_EQ(list()->rowCount(), 1);
    EXPECT_FALSE(d.rotation().rotationOn());
    EXPECT_TRUE(lamp(CustomBackgroundDialog::OwnImageBox)->isChecked());
    EXPECT_EQ(d.rotation().imageTexture(1), 0u);
}

INSTANTIATE_TEST_SUITE_P(Files, CustomBackgroundDialogBadPicture,
    ::testing::Values(BadPicture{"junk.png", writeJunk}, BadPicture{"huge.bmp", writeOversizedBmp},
                      BadPicture{"missing.jpg", nullptr}),
    [](const auto &info) {
        std::string n = info.param.name;
        return n.substr(0, n.find('.'));
    });

TEST_F(CustomBackgroundDialogTest, savedListLoadsAndReportsEntryWithoutPath)
{
    const QString red = redPicture(), blue = bluePicture();
    config_.writeSettings("[Custom Images]\nImageSum=3\nImageList0=" + red.toUtf8() + "\nImageList1=" + blue.toUtf8()
                          + "\n");
    open();
    ASSERT_EQ(list()->rowCount(), 2);
    EXPECT_EQ(list()->item(0, 0)->text(), red);
    EXPECT_EQ(list()->item(1, 0)->text(), blue);
    ASSERT_EQ(prompts_->messages().size(), 1u);
    EXPECT_EQ(prompts_->messages()[0], QStringLiteral("()image loading error."));
}

TEST_F(CustomBackgroundDialogTest, handEditedHugeSumShowsOneMaximumMessage)
{
    const QByteArray red = redPicture().toUtf8();
    QByteArray text = "[Custom Images]\nImageSum=100000\n";
    for (int i = 0; i < 12; ++i)
        text += "ImageList" + QByteArray::number(i) + "=" + red + "\n";
    config_.writeSettings(text);
    open();
    EXPECT_EQ(list()->rowCount(), 10);
    EXPECT_EQ(prompts_->messages(), std::vector<QString>{QStringLiteral("The maximum number of background is: 10")});
}

TEST_F(CustomBackgroundDialogTest, savedOwnImageStartsRotationWhileHidden)
{
    const QString red = redPicture();
    config_.writeSettings("[Custom Images]\nOwnImage=1\nImageSum=1\nImageList0=" + red.toUtf8() + "\n");
    CustomBackgroundDialog &d = open();
    EXPECT_TRUE(d.rotation().rotationOn());
    EXPECT_TRUE(processUntil([&] { return ownImageOn && d.rotation().currentTexture() > 0; }));
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.surfaceTexture(77), d.rotation().imageTexture(0));
    EXPECT_TRUE(isRed(gl_->drawAndRead(d.surfaceTexture(77))));
    EXPECT_EQ(stateColumn(), "ON ");
}

TEST_F(CustomBackgroundDialogTest, escHidesAndSavesAsTyped)
{
    CustomBackgroundDialog &d = open();
    const QString red = redPicture(), blue = bluePicture();
    d.addImage(red.toStdString());
    d.addImage(blue.toStdString());
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    click(CustomBackgroundDialog::OwnImageBox);
    click(CustomBackgroundDialog::RepeatAllBox);
    interval()->clear();
    QTest::keyClicks(interval(), QStringLiteral("05"));
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"RandomImage", "0"}, {"CycImage", "1"}, {"RepeatImage", "0"}, {"OwnImage", "1"},
        {"ImageTime", "05"}, {"ImageSum", "2"}, {"ImageList0", red.toStdString()},
        {"ImageList1", blue.toStdString()}};
    EXPECT_EQ(config_.section("Custom Images"), expected);

    dialog_.reset();
    open();
    EXPECT_EQ(interval()->text(), QStringLiteral("05"));
    EXPECT_EQ(list()->rowCount(), 2);
    EXPECT_TRUE(onlyChecked(CustomBackgroundDialog::RepeatAllBox));
    EXPECT_TRUE(dialog_->rotation().rotationOn());
}

TEST_F(CustomBackgroundDialogTest, removingOneOfTwoLeavesOldKeyUnread)
{
    const QString red = redPicture(), blue = bluePicture();
    config_.writeSettings("[Custom Images]\nImageSum=2\nImageList0=" + red.toUtf8() + "\nImageList1=" + blue.toUtf8()
                          + "\n");
    open();
    dialog_->showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog_.get()));
    list()->selectRow(1);
    click(CustomBackgroundDialog::RemoveImageButton);
    ASSERT_EQ(list()->rowCount(), 1);
    dialog_->close();

    EXPECT_EQ(config_.value("Custom Images", "ImageSum"), "1");
    EXPECT_EQ(config_.value("Custom Images", "ImageList0"), red.toStdString());
    EXPECT_EQ(config_.value("Custom Images", "ImageList1"), blue.toStdString());  // left in the file

    dialog_.reset();
    open();
    ASSERT_EQ(list()->rowCount(), 1);
    EXPECT_EQ(list()->item(0, 0)->text(), red);
}


TEST_F(CustomBackgroundDialogTest, removeAllEmptiesTheListTheSurfaceAndTheSavedList)
{
    CustomBackgroundDialog &d = open();
    d.addImage(redPicture().toStdString());
    d.addImage(bluePicture().toStdString());
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    click(CustomBackgroundDialog::OwnImageBox);
    ASSERT_TRUE(processUntil([&] { return d.rotation().currentTexture() > 0; }));
    ASSERT_TRUE(isRed(gl_->drawAndRead(d.surfaceTexture(0))));

    click(CustomBackgroundDialog::RemoveAllButton);
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(d.rotation().currentTexture(), 0);
    const QColor shown = gl_->drawAndRead(d.surfaceTexture(0));
    EXPECT_FALSE(isRed(shown) || isBlue(shown));  // neither removed picture stays on show
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_EQ(config_.value("Custom Images", "ImageSum"), "0");
    dialog_.reset();
    open();  // the next start reads an empty list (the old keys stay, unread)
    EXPECT_EQ(list()->rowCount(), 0);
}

TEST_F(CustomBackgroundDialogTest, modeBoxesActAsOneRadioGroup)
{
    open();
    click(CustomBackgroundDialog::RepeatAllBox);
    EXPECT_TRUE(onlyChecked(CustomBackgroundDialog::RepeatAllBox));
    EXPECT_EQ(dialog_->rotation().playMode(), PlayMode::RepeatAll);
    click(CustomBackgroundDialog::RepeatAllBox);  // a click on the checked box keeps it
    EXPECT_TRUE(onlyChecked(CustomBackgroundDialog::RepeatAllBox));
    click(CustomBackgroundDialog::RandomBox);
    EXPECT_TRUE(onlyChecked(CustomBackgroundDialog::RandomBox));
    EXPECT_EQ(dialog_->rotation().playMode(), PlayMode::Random);
}

TEST_F(CustomBackgroundDialogTest, doubleClickShowsPictureAtOnce)
{
    CustomBackgroundDialog &d = open();
    d.addImage(redPicture().toStdString());
    d.addImage(bluePicture().toStdString());
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    interval()->setText(QStringLiteral("1000"));
    click(CustomBackgroundDialog::OwnImageBox);
    ASSERT_TRUE(processUntil([&] { return d.rotation().currentTexture() > 0; }));
    ASSERT_EQ(d.rotation().currentTexture(), int32_t(d.rotation().imageTexture(0)));

    doubleClickRow(1);
    EXPECT_EQ(d.rotation().currentTexture(), int32_t(d.rotation().imageTexture(1)));
    EXPECT_EQ(stateColumn(), "OFF ON ");
    EXPECT_TRUE(isBlue(gl_->drawAndRead(d.surfaceTexture(77))));
}

TEST_F(CustomBackgroundDialogTest, picturesTakeTurnsOnSurface)
{
    const QString red = redPicture(), blue = bluePicture();
    CustomBackgroundDialog &d = open();
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    prompts_->queueFile(red);
    click(CustomBackgroundDialog::AddImageButton);
    prompts_->queueFile(blue);
    click(CustomBackgroundDialog::AddImageButton);
    ASSERT_EQ(list()->rowCount(), 2);
    EXPECT_EQ(list()->item(1, 0)->text(), blue);
    ASSERT_EQ(prompts_->fileFilters().size(), 2u);
    EXPECT_TRUE(prompts_->fileFilters()[0].startsWith(QStringLiteral("(*.jpg;*.bmp;*.png)")));
    click(CustomBackgroundDialog::RepeatAllBox);
    interval()->setText(QStringLiteral("0"));
    EXPECT_TRUE(isWhite(gl_->drawAndRead(d.surfaceTexture(0))));  // built-in stand-in: none
    click(CustomBackgroundDialog::OwnImageBox);

    // Every tick switches now: the surface must show blue, then red, then blue again.
    std::vector<std::string> seen;
    processUntil([&] {
        const QColor c = gl_->drawAndRead(d.surfaceTexture(0));
        const std::string name = isRed(c) ? "red" : isBlue(c) ? "blue" : "other";
        if (name != "other" && (seen.empty() || seen.back() != name))
            seen.push_back(name);
        return seen.size() >= 3;
    });
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0], "blue");  // from no picture, Repeat All starts at slot 1
    EXPECT_EQ(seen[1], "red");
    EXPECT_EQ(seen[2], "blue");
}

namespace {

// Texture names live in the test's GL context (Mesa hands them out in rising order).
int liveTextureNames()
{
    int live = 0;
    for (GLuint name = 1; name < 5000; ++name)
        live += glIsTexture(name) ? 1 : 0;
    return live;
}

} // namespace

// Pictures taken out of the list give their textures back: 200 rounds of adding two,
// removing one and then the rest leave no more live texture names than before.
TEST_F(CustomBackgroundDialogTest, removedPicturesFreeTheirTextures)
{
    CustomBackgroundDialog &d = open();
    const std::string red = redPicture().toStdString();
    const std::string blue = bluePicture().toStdString();
    gl_->makeCurrent();
    const int before = liveTextureNames();
    for (int round = 0; round < 200; ++round) {
        ASSERT_TRUE(d.addImage(red));
        ASSERT_TRUE(d.addImage(blue));
        list()->selectRow(0);
        click(CustomBackgroundDialog::RemoveImageButton);
        click(CustomBackgroundDialog::RemoveAllButton);
        ASSERT_EQ(list()->rowCount(), 0);
    }
    gl_->makeCurrent();
    EXPECT_EQ(liveTextureNames(), before);
}

// The "Use your own image" switch is drawn big enough to read (its track at least 20 x 10
// pixels) and level with its label: the middles of the track and of the text's ink lie
// within 2 pixels of each other.
TEST_F(CustomBackgroundDialogTest, ownImageSwitchIsReadableAndLevelWithItsText)
{
    CustomBackgroundDialog &d = open();
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    list()->setFocus();  // no focus frame on the switch
    const QImage img = d.grab().toImage();
    const QColor ground = img.pixelColor(2, 2);
    const auto inkRows = [&](QRect area, auto isInk) {
        QRect ink;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (isInk(img.pixelColor(x, y)))
                    ink |= QRect(x, y, 1, 1);
        return ink;
    };
    QLabel *label = nullptr;
    for (QLabel *l : d.findChildren<QLabel *>())
        if (l->text() == QStringLiteral("Use your own image"))
            label = l;
    ASSERT_NE(label, nullptr);
    const QRect aboveList(0, 0, img.width(), list()->geometry().top());
    const QRect text = inkRows(label->geometry() & aboveList, [](QColor c) { return c.lightness() < 100; });
    const QRect box = dialog_->control(CustomBackgroundDialog::OwnImageBox)->geometry() & aboveList;
    const QColor fill = img.pixelColor(box.topLeft() + QPoint(1, 1));
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 40;
    };
    const QRect track = inkRows(box.adjusted(1, 1, -1, -1), [&](QColor c) { return !near(c, ground) && !near(c, fill); });
    ASSERT_FALSE(text.isEmpty());
    ASSERT_FALSE(track.isEmpty());
    EXPECT_GE(track.width(), 20);
    EXPECT_GE(track.height(), 10);
    EXPECT_LE(std::abs(track.center().y() - text.center().y()), 2) << "track " << track.top() << ".." << track.bottom()
                                                                   << ", text " << text.top() << ".." << text.bottom();
}
