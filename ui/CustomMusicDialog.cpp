#include "CustomMusicDialog.h"

#include "ColorSlider.h"
#include "CustomListView.h"
#include "CustomSections.h"
#include "DialogPrompts.h"
#include "DialogUnits.h"
#include "LampCheckButton.h"
#include "MusicGlobals.h"
#include "ProfileFile.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>

namespace {

constexpr DialogFontKind kFont = DialogFontKind::System;
constexpr int kWidthDu = 317;
constexpr int kHeightDu = 151;
constexpr int kTimerMs = 200;

// Set on a row's cell when its file could not be played.
constexpr int kFailedRole = Qt::UserRole + 1;

// Rows of the playlist: blue text on sand, the playing row on green, a row that could not
// be played in dark red. A selected row keeps the selection colours so that "Remove"
// shows what it will take.
class PlaylistRowDelegate : public CustomListDelegate {
public:
    using CustomListDelegate::CustomListDelegate;

    static QColor rowGround() { return QColor(196, 184, 130); }
    static QColor playingGround() { return QColor(0, 255, 0); }
    static QColor failedText() { return QColor(160, 0, 0); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt(option);
        if (!(opt.state & QStyle::State_Selected)) {
            painter->fillRect(opt.rect, index.row() == currentTrackIndex ? playingGround() : rowGround());
            opt.backgroundBrush = Qt::NoBrush;
        }
        opt.palette.setColor(QPalette::Text, index.data(kFailedRole).toBool() ? failedText()
                                                                             : CustomListView::textColour());
        CustomListDelegate::paint(painter, opt, index);
    }
};

QPushButton *makeButton(QWidget *parent, const char *text, int x, int y, int w, int h)
{
    auto *button = new QPushButton(QString::fromLatin1(text), parent);
    button->setGeometry(dialogRect(kFont, x, y, w, h));
    button->setAutoDefault(false);  // Enter is the dialog's own business (keyPressEvent)
    return button;
}

// A group box as the dialog templates know it: an etched frame whose top edge runs
// through the middle of the title, and nothing filled inside, so the controls it frames
// sit on the dialog's own ground.
class GroupFrame : public QWidget {
public:
    GroupFrame(const QString &title, QWidget *parent) : QWidget(parent), title_(title)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QFontMetrics metrics(font());
        const QRect frame = rect().adjusted(0, metrics.height() / 2, -1, -1);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(frame.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(frame.adjusted(1, 1, 0, 0));
        const QRect label(6, 0, metrics.horizontalAdvance(title_) + 4, metrics.height());
        p.fillRect(label, palette().color(QPalette::Window));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(label, Qt::AlignCenter, title_);
    }

private:
    QString title_;
};

QWidget *makeGroup(QWidget *parent, const char *text, int x, int y, int w, int h)
{
    auto *group = new GroupFrame(QString::fromLatin1(text), parent);
    group->setGeometry(dialogRect(kFont, x, y, w, h));
    return group;
}

LampCheckButton *makeLamp(QWidget *parent, int id, const char *text, int x, int y, int w, int h)
{
    auto *lamp = new LampCheckButton(id, QString::fromLatin1(text), parent);
    lamp->setGeometry(dialogRect(kFont, x, y, w, h));
    return lamp;
}

} // namespace

// The dialog's controls as the playlist engine sees them.
class CustomMusicDialog::ListAdapter : public PlaylistView {
public:
    explicit ListAdapter(CustomMusicDialog &dialog) : d(dialog) {}

    int rowCount() const override { return d.list_->rowCount(); }
    std::string rowText(int row) const override
    {
        const QTableWidgetItem *cell = d.list_->item(row, 0);
        return cell ? cell->text().toStdString() : std::string();
    }
    int firstSelectedRow() const override { return d.list_->firstSelectedRow(); }
    void clearSelection() override { d.list_->clearSelection(); }
    void refreshHighlight() override { d.list_->viewport()->update(); }
    void setEditButtonsEnabled(bool enabled) override
    {
        for (QPushButton *button : {d.addButton_, d.removeButton_, d.removeAllButton_, d.playButton_})
            button->setEnabled(enabled);
    }
    void checkOwnMusicBox() override { d.ownMusicBox_->setCheck(1); }
    void uncheckOwnMusicBox() override { d.ownMusicBox_->setCheck(0); }
    void setRowFailed(int row, bool failed) override
    {
        QTableWidgetItem *cell = d.list_->item(row, 0);
        if (!cell)
            return;
        // Where nobody sees the list (a guest), the failure is a line on stderr.
        if (failed && noOneToAsk() && !cell->data(kFailedRole).toBool())
            showOwnedMessage(&d, QStringLiteral("(") + cell->text() + QStringLiteral(")music loading error."));
        cell->setData(kFailedRole, failed ? QVariant(true) : QVariant());
    }
    void setPositionRange(int lengthMs) override
    {
        d.positionSlider_->setRange(0, lengthMs);
        d.positionSlider_->setValue(0);
    }
    void setPositionValue(int positionMs) override { d.positionSlider_->setValue(positionMs); }

private:
    CustomMusicDialog &d;
};

CustomMusicDialog::CustomMusicDialog(QWidget *parent)
    : CustomDialog(parent, QStringLiteral("Custom Music - Varlen Fish 3D Screensaver 1.0"), kWidthDu, kHeightDu)
{
    buildControls();
    listAdapter_ = std::make_unique<ListAdapter>(*this);
    engine_ = std::make_unique<PlaylistEngine>(*listAdapter_, player_);
    initialise();
}

CustomMusicDialog::~CustomMusicDialog()
{
    timer_.stop();
    player_.stop();
    player_.close();
}

void CustomMusicDialog::buildControls()
{
    // Same order as the template, so the group boxes lie under their controls.
    makeGroup(this, "Use your own music", 10, 10, 79, 22);
    ownMusicBox_ = addControl(OwnMusicBox, makeLamp(this, OwnMusicBox, "On/Off", 17, 19, 54, 12));
    makeGroup(this, "Play Modes", 95, 10, 212, 22);
    repeatOneBox_ = addControl(RepeatOneBox, makeLamp(this, RepeatOneBox, "Repeat One", 100, 20, 58, 8));
    repeatAllBox_ = addControl(RepeatAllBox, makeLamp(this, RepeatAllBox, "Repeat All", 186, 20, 53, 8));
    randomBox_ = addControl(RandomBox, makeLamp(this, RandomBox, "Random ", 262, 20, 41, 8));

    list_ = addControl(MusicList, new CustomListView(MusicList, {{QStringLiteral("Music List"), 500}}, this));
    list_->setGeometry(dialogRect(kFont, 15, 44, 250, 95));
    list_->setItemDelegate(new PlaylistRowDelegate(list_));

    addButton_ = addControl(AddMusicButton, makeButton(this, "Add Music", 270, 44, 38, 11));
    removeButton_ = addControl(RemoveButton, makeButton(this, "Remove", 270, 57, 38, 11));
    removeAllButton_ = addControl(RemoveAllButton, makeButton(this, "Remove All", 270, 70, 38, 11));
    playButton_ = addControl(PlayButton, makeButton(this, "Play", 270, 83, 38, 11));
    stopButton_ = addControl(StopButton, makeButton(this, "Stop", 270, 97, 38, 11));

    makeGroup(this, "Volume", 270, 113, 38, 26);
    volumeSlider_ = addControl(VolumeSlider, new ColorSlider(VolumeSlider, Qt::Horizontal, this));
    volumeSlider_->setGeometry(dialogRect(kFont, 271, 122, 33, 13));
    volumeSlider_->setTickPosition(QSlider::NoTicks);

    positionSlider_ = addControl(PositionSlider, new QSlider(Qt::Horizontal, this));
    positionSlider_->setGeometry(dialogRect(kFont, 227, 7, 36, 8));
    positionSlider_->hide();
    playerParent_ = addControl(PlayerParent, new QLabel(QStringLiteral("Static"), this));
    playerParent_->setGeometry(dialogRect(kFont, 196, 7, 24, 8));
    playerParent_->hide();

    connect(addButton_, &QPushButton::clicked, this, [this] { onAddMusic(); });
    connect(removeButton_, &QPushButton::clicked, this, [this] { onRemove(); });
    connect(removeAllButton_, &QPushButton::clicked, this, [this] { onRemoveAll(); });
    connect(playButton_, &QPushButton::clicked, this, [this] { engine_->play(); });
    connect(stopButton_, &QPushButton::clicked, this, [this] { engine_->stopPlaying(); });
    connect(ownMusicBox_, &LampCheckButton::command, this,
            [this](int) { engine_->ownMusicBoxClicked(ownMusicBox_->isChecked()); });
    for (LampCheckButton *box : {repeatOneBox_, repeatAllBox_, randomBox_})
        connect(box, &LampCheckButton::command, this, [this](int id) { onModeBox(id); });
    connect(list_, &QTableWidget::cellClicked, this, [this](int, int) { engine_->rowClicked(); });
    connect(&timer_, &QTimer::timeout, this, [this] { engine_->timerTick(ownMusicBox_->isChecked()); });
}

void CustomMusicDialog::initialise()
{
    ownMusicBox_->setCheck(0);
    ownMusicBox_->setIcons(184, 183);
    randomBox_->setCheck(0);
    repeatAllBox_->setCheck(0);
    repeatOneBox_->setCheck(1);
    for (LampCheckButton *box : {repeatOneBox_, repeatAllBox_, randomBox_})
        box->setLampColours(QColor(0, 255, 0), QColor(0, 0, 0));
    engine_->setPlayMode(PlayMode::RepeatOne);

    player_.setParent(playerParent_);
    engine_->initialise(profileVolume());

    volumeSlider_->setRange(0, 1000);
    volumeSlider_->setValue(engine_->volume());
    connect(volumeSlider_, &QSlider::valueChanged, this, [this](int volume) { engine_->setVolume(volume); });

    loadSettings();

    timer_.setTimerType(Qt::CoarseTimer);
    timer_.start(kTimerMs);
}

void CustomMusicDialog::loadSettings()
{
    list_->setRowCount(0);

    const CustomMusicRecord saved = loadCustomMusic();
    randomBox_->setCheck(saved.modes.random ? 1 : 0);
    repeatAllBox_->setCheck(saved.modes.repeatAll ? 1 : 0);
    repeatOneBox_->setCheck(saved.modes.repeatOne ? 1 : 0);
    ownMusicBox_->setCheck(saved.ownMusic ? 1 : 0);
    for (const std::string &path : saved.paths)
        list_->appendRow({QString::fromStdString(path)});

    ModeBoxes boxes{randomBox_->isChecked(), repeatAllBox_->isChecked(), repeatOneBox_->isChecked()};
    setPlayMode(applyLoadedModes(boxes));

    if (saved.musicSum > 0 && ownMusicBox_->isChecked())
        engine_->play();
}

void CustomMusicDialog::saveChoices()
{
    CustomMusicRecord record;
    record.modes = ModeBoxes{randomBox_->isChecked(), repeatAllBox_->isChecked(), repeatOneBox_->isChecked()};
    record.ownMusic = ownMusicBox_->isChecked();
    record.paths = engine_->playlist();
    record.musicSum = static_cast<int>(record.paths.size());
    saveCustomMusic(record);
}

void CustomMusicDialog::showCentred()
{
    QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void CustomMusicDialog::onAddMusic()
{
    const QString path = askOpenFileName(this, QStringLiteral("(*.mp3;*.wav;*.mpeg)"),
                                         {QStringLiteral("*.mp3"), QStringLiteral("*.wav"), QStringLiteral("*.mpeg")});
    if (path.isEmpty())
        return;
    list_->appendRow({path});
}

void CustomMusicDialog::onRemove()
{
    const int row = list_->firstSelectedRow();
    if (row < 0) {
        showOwnedMessage(this, QStringLiteral("Please select an item from the music list!"));
        return;
    }
    list_->removeRow(row);
    engine_->selectTrack(0, false);
}

void CustomMusicDialog::onRemoveAll()
{
    list_->setRowCount(0);
}

void CustomMusicDialog::onModeBox(int id)
{
    if (const auto mode = playModeOfBox(id))
        setPlayMode(*mode);
}

void CustomMusicDialog::setPlayMode(PlayMode mode)
{
    engine_->setPlayMode(mode);
    const ModeBoxes boxes = boxesFor(mode);
    repeatOneBox_->setCheck(boxes.repeatOne ? 1 : 0);
    repeatAllBox_->setCheck(boxes.repeatAll ? 1 : 0);
    randomBox_->setCheck(boxes.random ? 1 : 0);
}
