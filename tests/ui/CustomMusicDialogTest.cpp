#include "CustomMusicDialog.h"

#include "ColorSlider.h"
#include "DialogTestSupport.h"
#include "LampCheckButton.h"
#include "MusicGlobals.h"
#include "MusicHook.h"

#include <QHeaderView>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

class RecordingTune : public TuneControl {
public:
    void play() override { ++plays; }
    void stop() override { ++stops; }
    int plays = 0;
    int stops = 0;
};

class CustomMusicDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        uiTestApp();
        ownMusicOn = true;
        builtInTuneRestart = 1;
        currentTrackIndex = -1;
        prompts_ = std::make_unique<PromptAnswerer>();
    }
    void TearDown() override
    {
        dialog_.reset();
        prompts_.reset();
    }

    CustomMusicDialog &open()
    {
        dialog_ = std::make_unique<CustomMusicDialog>(nullptr);
        return *dialog_;
    }

    QString wave(const char *name) const
    {
        return writeWave(files_.path() + QLatin1Char('/') + QLatin1String(name), 3000);
    }

    // A settings file whose playlist holds `paths`, with extra keys before them.
    void storePlaylist(const QByteArray &extra, const QStringList &paths)
    {
        QByteArray text = "[Custom Settings]\n" + extra + "MusicSum=" + QByteArray::number(paths.size()) + "\n";
        for (int i = 0; i < paths.size(); ++i)
            text += "MusicList" + QByteArray::number(i) + "=" + paths[i].toUtf8() + "\n";
        config_.writeSettings(text);
    }

    LampCheckButton *lamp(int id) const { return static_cast<LampCheckButton *>(dialog_->control(id)); }
    QTableWidget *list() const { return static_cast<QTableWidget *>(dialog_->control(CustomMusicDialog::MusicList)); }
    QPushButton *button(int id) const { return static_cast<QPushButton *>(dialog_->control(id)); }

    void click(int id)
    {
        // The pointer moves there first, as a user's does (a hovered flat button keeps
        // the mouse until the pointer leaves it).
        QWidget *w = dialog_->control(id);
        QTest::mouseMove(w, w->rect().center());
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        QApplication::processEvents();  // the lamps post their command
    }

    bool onlyChecked(int id) const
    {
        for (int box : {CustomMusicDialog::RepeatOneBox, CustomMusicDialog::RepeatAllBox, CustomMusicDialog::RandomBox}) {
            if (lamp(box)->isChecked() != (box == id))
                return false;
        }
        return true;
    }

    bool editButtonsEnabled(bool enabled) const
    {
        for (int id : {CustomMusicDialog::AddMusicButton, CustomMusicDialog::RemoveButton,
                       CustomMusicDialog::RemoveAllButton, CustomMusicDialog::PlayButton}) {
            if (button(id)->isEnabled() != enabled)
                return false;
        }
        return button(CustomMusicDialog::StopButton)->isEnabled();
    }

    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < list()->rowCount(); ++row)
            texts << list()->item(row, 0)->text();
        return texts;
    }

    // The ground colour of a row, read beside its text.
    QColor rowGround(int row) const
    {
        const QImage image = grabImage(list()->viewport());
        const QRect cell = list()->visualItemRect(list()->item(row, 0));
        return pixelAt(image, cell.left() + 3, cell.center().y());
    }

    ScopedConfigHome config_;
    QTemporaryDir files_;
    std::unique_ptr<PromptAnswerer> prompts_;
    std::unique_ptr<CustomMusicDialog> dialog_;
};

} // namespace

TEST_F(CustomMusicDialogTest, firstStartShowsDefaults)
{
    CustomMusicDialog &d = open();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Custom Music - Varlen Fish 3D Screensaver 1.0"));
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.size(), QSize(634, 302));  // 317 x 151 units at 2 px each
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_EQ(list()->horizontalHeaderItem(0)->text(), QStringLiteral("Music List"));
    EXPECT_EQ(list()->columnWidth(0), 500);
    EXPECT_FALSE(lamp(CustomMusicDialog::OwnMusicBox)->isChecked());
    EXPECT_EQ(lamp(CustomMusicDialog::OwnMusicBox)->text(), QStringLiteral("On/Off"));
    EXPECT_TRUE(onlyChecked(CustomMusicDialog::RepeatOneBox));
    EXPECT_EQ(lamp(CustomMusicDialog::RandomBox)->text(), QStringLiteral("Random "));
    EXPECT_EQ(lamp(CustomMusicDialog::RepeatOneBox)->uncheckedColour(), QColor(0, 0, 0));
    auto *volume = static_cast<QSlider *>(d.control(CustomMusicDialog::VolumeSlider));
    EXPECT_EQ(volume->minimum(), 0);
    EXPECT_EQ(volume->maximum(), 1000);
    EXPECT_EQ(volume->value(), 1000);
    EXPECT_TRUE(d.control(CustomMusicDialog::PositionSlider)->isHidden());
    EXPECT_TRUE(d.control(CustomMusicDialog::PlayerParent)->isHidden());
    EXPECT_EQ(d.engine().playState(), PlayState::Idle);
    EXPECT_TRUE(prompts_->messages().empty());
}

struct MusicControlPlace {
    int id;
    QRect pixels;  // the template's dialog units, 2 px per unit
};
void PrintTo(const MusicControlPlace &p, std::ostream *out) { *out << "control " << p.id; }

class CustomMusicDialogLayout : public CustomMusicDialogTest,
                                public ::testing::WithParamInterface<MusicControlPlace> {};

TEST_P(CustomMusicDialogLayout, controlSitsWhereTemplatePutsIt)
{
    open();
    EXPECT_EQ(dialog_->control(GetParam().id)->geometry(), GetParam().pixels) << GetParam().id;
}

INSTANTIATE_TEST_SUITE_P(Template, CustomMusicDialogLayout,
    ::testing::Values(MusicControlPlace{1011, QRect(34, 38, 108, 24)},
                      MusicControlPlace{1023, QRect(200, 40, 116, 16)},
                      MusicControlPlace{1024, QRect(372, 40, 106, 16)},
                      MusicControlPlace{1025, QRect(524, 40, 82, 16)},
                      MusicControlPlace{1016, QRect(30, 88, 500, 190)},
                      MusicControlPlace{1017, QRect(540, 88, 76, 22)},
                      MusicControlPlace{1018, QRect(540, 114, 76, 22)},
                      MusicControlPlace{1019, QRect(540, 140, 76, 22)},
                      MusicControlPlace{1021, QRect(540, 166, 76, 22)},
                      MusicControlPlace{1022, QRect(540, 194, 76, 22)},
                      MusicControlPlace{1007, QRect(542, 244, 66, 26)},
                      MusicControlPlace{1006, QRect(454, 14, 72, 16)},
                      MusicControlPlace{1034, QRect(392, 14, 48, 16)}),
    [](const auto &info) { return "id" + std::to_string(info.param.id); });

TEST_F(CustomMusicDialogTest, volumeStartsFromProfileValue)
{
    {
        QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("VarlenScr"));
        profile.setValue(QStringLiteral("Settings/Volume"), 400);
    }
    CustomMusicDialog &d = open();
    auto *volume = static_cast<QSlider *>(d.control(CustomMusicDialog::VolumeSlider));
    EXPECT_EQ(volume->value(), 400);
    EXPECT_EQ(d.engine().volume(), 400);
    volume->setFocus();
    QTest::keyClick(volume, Qt::Key_Right);
    EXPECT_EQ(d.engine().volume(), 401);
    {
        QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("VarlenScr"));
        EXPECT_EQ(profile.value(QStringLiteral("Settings/Volume")).toInt(), 400);  // never written
        profile.remove(QStringLiteral("Settings/Volume"));
    }
}

TEST_F(CustomMusicDialogTest, removeWithoutSelectionAsksAndChangesNothing)
{
    storePlaylist("", {wave("a.wav"), wave("b.wav")});
    open();
    const QStringList before = rows();
    click(CustomMusicDialog::RemoveButton);
    ASSERT_EQ(prompts_->messages().size(), 1u);
    EXPECT_EQ(prompts_->messages()[0], QStringLiteral("Please select an item from the music list!"));
    EXPECT_EQ(prompts_->messageTitles()[0], QStringLiteral("VarlenScr"));
    EXPECT_EQ(rows(), before);
}

TEST_F(CustomMusicDialogTest, sumBeyondStoredPathsGivesEmptyLastRow)
{
    config_.writeSettings("[Custom Settings]\nMusicSum=3\nMusicList0=/m/a.mp3\nMusicList1=/m/b.wav\n");
    open();
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("/m/a.mp3"), QStringLiteral("/m/b.wav"), QString()}));
}

TEST_F(CustomMusicDialogTest, removedRowsLeaveHigherKeysUnread)
{
    const QString a = wave("a.wav"), b = wave("b.wav"), c = wave("c.wav");
    storePlaylist("", {a, b, c});
    open();
    dialog_->showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog_.get()));
    list()->selectRow(0);
    click(CustomMusicDialog::RemoveButton);
    dialog_->close();

    EXPECT_EQ(config_.value("Custom Settings", "MusicSum"), "2");
    EXPECT_EQ(config_.value("Custom Settings", "MusicList0"), b.toStdString());
    EXPECT_EQ(config_.value("Custom Settings", "MusicList1"), c.toStdString());
    EXPECT_EQ(config_.value("Custom Settings", "MusicList2"), c.toStdString());  // left in the file

    dialog_.reset();
    open();
    EXPECT_EQ(rows(), (QStringList{b, c}));
}

TEST_F(CustomMusicDialogTest, escHidesAndSavesInOrder)
{
    CustomMusicDialog &d = open();
    const QString a = wave("a.wav");
    prompts_->queueFile(a);
    click(CustomMusicDialog::AddMusicButton);
    ASSERT_EQ(prompts_->fileFilters().size(), 1u);
    EXPECT_TRUE(prompts_->fileFilters()[0].startsWith(QStringLiteral("(*.mp3;*.wav;*.mpeg)")));
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    click(CustomMusicDialog::RandomBox);
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"RandomMusic", "1"}, {"CycMusic", "0"}, {"RepeatMusic", "0"}, {"OwnMusic", "0"},
        {"MusicSum", "1"}, {"MusicList0", a.toStdString()}};
    EXPECT_EQ(config_.section("Custom Settings"), expected);
}

TEST_F(CustomMusicDialogTest, savedOwnMusicStartsPlayingWhileHidden)
{
    storePlaylist("OwnMusic=1\n", {wave("a.wav"), wave("b.wav")});
    CustomMusicDialog &d = open();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.engine().playState(), PlayState::Playing);
    EXPECT_EQ(d.engine().currentIndex(), 0);
    EXPECT_EQ(currentTrackIndex, 0);
    EXPECT_TRUE(editButtonsEnabled(false));
    EXPECT_TRUE(lamp(CustomMusicDialog::OwnMusicBox)->isChecked());
}

TEST_F(CustomMusicDialogTest, playingRowIsPaintedGreen)
{
    storePlaylist("", {wave("a.wav"), wave("b.wav")});
    CustomMusicDialog &d = open();
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(rowGround(0), QColor(196, 184, 130));
    click(CustomMusicDialog::PlayButton);
    ASSERT_EQ(d.engine().playState(), PlayState::Playing);
    EXPECT_EQ(rowGround(0), QColor(0, 255, 0));
    EXPECT_EQ(rowGround(1), QColor(196, 184, 130));
    click(CustomMusicDialog::StopButton);
    EXPECT_EQ(d.engine().playState(), PlayState::Stopped);
    EXPECT_EQ(rowGround(0), QColor(196, 184, 130));
    EXPECT_TRUE(editButtonsEnabled(true));
}

TEST_F(CustomMusicDialogTest, onOffOffWhilePlayingBringsBackBuiltInTune)
{
    storePlaylist("OwnMusic=1\n", {wave("a.wav")});
    CustomMusicDialog &d = open();
    ASSERT_EQ(d.engine().playState(), PlayState::Playing);
    ASSERT_TRUE(processUntil([] { return ownMusicOn; }));

    RecordingTune tune;
    runMusicHook(tune);
    EXPECT_EQ(tune.plays, 0);  // own music on: the tune stays off

    click(CustomMusicDialog::OwnMusicBox);
    EXPECT_EQ(d.engine().playState(), PlayState::Stopped);
    EXPECT_TRUE(editButtonsEnabled(true));
    ASSERT_TRUE(processUntil([] { return !ownMusicOn; }));  // the dialog's next tick
    runMusicHook(tune);
    EXPECT_EQ(tune.plays, 1);
}


TEST_F(CustomMusicDialogTest, inPlaceEditIsNotKept)
{
    const QString a = wave("a.wav");
    storePlaylist("", {a});
    CustomMusicDialog &d = open();
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    list()->setCurrentCell(0, 0);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    ASSERT_NE(editor, list());
    QTest::keyClicks(editor, QStringLiteral("changed"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(rows(), QStringList{a});
}

TEST_F(CustomMusicDialogTest, enterKeepsDialogOpen)
{
    // Enter does nothing on the list and clicks a focused push button ("Remove All" here);
    // either way the dialog stays open and nothing is saved.
    struct Case {
        int focus;
        QStringList rowsAfter;
    };
    const QString a = wave("a.wav"), b = wave("b.wav");
    for (const Case &c : {Case{CustomMusicDialog::MusicList, {a, b}}, Case{CustomMusicDialog::RemoveAllButton, {}}}) {
        storePlaylist("", {a, b});
        CustomMusicDialog &d = open();
        d.showCentred();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        QApplication::setActiveWindow(&d);
        d.control(c.focus)->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), d.control(c.focus));
        QTest::keyClick(d.control(c.focus), Qt::Key_Return);
        EXPECT_TRUE(d.isVisible()) << c.focus;
        EXPECT_EQ(rows(), c.rowsAfter) << c.focus;
        EXPECT_EQ(config_.value("Custom Settings", "MusicSum"), "2") << c.focus;
    }
}

TEST_F(CustomMusicDialogTest, removeAllEmptiesTheListAndTheSavedPlaylist)
{
    storePlaylist("", {wave("a.wav"), wave("b.wav"), wave("c.wav")});
    CustomMusicDialog &d = open();
    d.showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    ASSERT_EQ(rows().size(), 3);
    click(CustomMusicDialog::RemoveAllButton);
    EXPECT_TRUE(rows().isEmpty());
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_EQ(config_.value("Custom Settings", "MusicSum"), "0");
    open();  // the next start reads an empty list (the old keys stay, unread)
    EXPECT_TRUE(rows().isEmpty());
}
