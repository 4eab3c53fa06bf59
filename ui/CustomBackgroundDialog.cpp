#include "CustomBackgroundDialog.h"

#include "CustomListView.h"
#include "CustomSections.h"
#include "DialogPrompts.h"
#include "DialogUnits.h"
#include "FlatButton.h"
#include "LampCheckButton.h"
#include "ResourceImages.h"
#include "TextureLoader.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScreen>

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace {

constexpr DialogFontKind kFont = DialogFontKind::System;
constexpr int kWidthDu = 265;
constexpr int kHeightDu = 135;

// Loading reads at most one entry more than the list can take: the 11th of a
// hand-edited count still gets its "maximum" message, and a huge count cannot keep
// start-up showing message boxes for ever.
constexpr int kMaxStoredEntries = PictureRotation::kMaxPictures + 1;

struct StaticText {
    const char *text;
    int x, y, w, h;
};

const StaticText kStaticTexts[] = {
    {"Use your own image", 20, 13, 73, 11},
    {"Repeat One", 104, 13, 41, 9},
    {"Repeat All", 160, 13, 34, 8},
    {"Random ", 209, 13, 30, 8},
    {"Interval", 176, 119, 27, 9},
    {"S", 231, 119, 8, 8},
};

QString toQString(const std::string &text) { return QString::fromStdString(text); }

} // namespace

CustomBackgroundDialog::CustomBackgroundDialog(QWidget *parent, std::function<void()> makeGlCurrent,
                                               std::function<void()> doneGl)
    : CustomDialog(parent, QStringLiteral("Custom Background - Varlen Fish 3D Screensaver 1.0"), kWidthDu, kHeightDu),
      makeGlCurrent_(std::move(makeGlCurrent)), doneGl_(std::move(doneGl))
{
    buildControls();
    initialise();
}

CustomBackgroundDialog::~CustomBackgroundDialog()
{
    rotationTimer_.stop();
}

void CustomBackgroundDialog::buildControls()
{
    // Same order as the template, so later controls lie above earlier ones.
    ownImageBox_ = addControl(OwnImageBox, new LampCheckButton(OwnImageBox, QString(), this));
    ownImageBox_->setGeometry(dialogRect(kFont, 8, 10, 9, 10));

    list_ = addControl(PictureList, new CustomListView(PictureList,
                                                       {{QStringLiteral("Backgrounds Directory"), 430}, {QStringLiteral("State"), 50}},
                                                       this));
    list_->setGeometry(dialogRect(kFont, 7, 23, 251, 87));

    repeatOneBox_ = addControl(RepeatOneBox, new LampCheckButton(RepeatOneBox, QString(), this));
    repeatOneBox_->setGeometry(dialogRect(kFont, 94, 12, 10, 9));
    repeatAllBox_ = addControl(RepeatAllBox, new LampCheckButton(RepeatAllBox, QString(), this));
    repeatAllBox_->setGeometry(dialogRect(kFont, 147, 12, 10, 9));
    randomBox_ = addControl(RandomBox, new LampCheckButton(RandomBox, QString(), this));
    randomBox_->setGeometry(dialogRect(kFont, 199, 12, 10, 9));

    for (const StaticText &s : kStaticTexts) {
        auto *label = new QLabel(QString::fromLatin1(s.text), this);
        label->setGeometry(dialogRect(kFont, s.x, s.y, s.w, s.h));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    intervalBox_ = addControl(IntervalBox, new QLineEdit(this));
    intervalBox_->setGeometry(dialogRect(kFont, 204, 118, 24, 12));
    intervalBox_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), intervalBox_));

    addButton_ = addControl(AddImageButton, new FlatButton(AddImageButton, QStringLiteral("Add Image"), this));
    addButton_->setGeometry(dialogRect(kFont, 7, 117, 50, 11));
    removeButton_ = addControl(RemoveImageButton, new FlatButton(RemoveImageButton, QStringLiteral("Remove Image"), this));
    removeButton_->setGeometry(dialogRect(kFont, 63, 117, 51, 11));
    removeAllButton_ = addControl(RemoveAllButton, new FlatButton(RemoveAllButton, QStringLiteral("Remove All"), this));
    removeAllButton_->setGeometry(dialogRect(kFont, 119, 117, 50, 11));
    for (FlatButton *button : {addButton_, removeButton_, removeAllButton_})
        button->setAutoDefault(false);  // Enter is the dialog's own business (keyPressEvent)

    connect(ownImageBox_, &LampCheckButton::command, this, [this](int) { onOwnImageBox(); });
    for (LampCheckButton *box : {repeatOneBox_, repeatAllBox_, randomBox_})
        connect(box, &LampCheckButton::command, this, [this](int id) { onModeBox(id); });
    connect(addButton_, &FlatButton::command, this, [this](int) { onAddImage(); });
    connect(removeButton_, &FlatButton::command, this, [this](int) { onRemoveImage(); });
    connect(removeAllButton_, &FlatButton::command, this, [this](int) { onRemoveAll(); });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { onDoubleClick(); });
    connect(&rotationTimer_, &QTimer::timeout, this, [this] { onRotationTick(); });
}

void CustomBackgroundDialog::initialise()
{
    ownImageBox_->setCheck(0);
    // The switch pictures (24 x 24, the switch's track in rows 6 to 17) are shown at their
    // own size, cut to the track's band, in a box that ends just before the label and
    // puts the track level with the label's text line.
    const QPixmap on = resourcePixmap(184), off = resourcePixmap(183);
    if (!on.isNull() && !off.isNull()) {
        const QRect band(0, 5, on.width(), 14);
        ownImageBox_->setIcons(QIcon(on.copy(band)), QIcon(off.copy(band)));
        const QRect label = dialogRect(kFont, kStaticTexts[0].x, kStaticTexts[0].y, kStaticTexts[0].w,
                                       kStaticTexts[0].h);
        const QFontMetrics metrics(font());
        const int textMiddle = label.top() + metrics.ascent() - metrics.xHeight() / 2;
        const int width = 3 + band.width() + 2;  // the box draws its picture 3 pixels in
        ownImageBox_->setGeometry(label.left() - width, textMiddle - band.height() / 2, width, band.height());
    }
    randomBox_->setCheck(0);
    repeatAllBox_->setCheck(0);
    repeatOneBox_->setCheck(1);
    for (LampCheckButton *box : {repeatOneBox_, repeatAllBox_, randomBox_})
        box->setLampColours(QColor(0, 255, 0), box->uncheckedColour());
    intervalBox_->setText(QStringLiteral("5"));

    loadSaved();

    rotationTimer_.setTimerType(Qt::CoarseTimer);
    rotationTimer_.start(PictureRotation::kTickMs);
}

void CustomBackgroundDialog::loadSaved()
{
    rotation_.removeRow(-1);
    syncList();

    const CustomImagesRecord saved = loadCustomImages(kMaxStoredEntries);
    randomBox_->setCheck(saved.modes.random ? 1 : 0);
    repeatAllBox_->setCheck(saved.modes.repeatAll ? 1 : 0);
    repeatOneBox_->setCheck(saved.modes.repeatOne ? 1 : 0);
    ownImageBox_->setCheck(saved.ownImage ? 1 : 0);
    intervalBox_->setText(toQString(saved.imageTime));

    for (const std::string &path : saved.paths) {
        if (addPicture(path) == AddResult::ListFull)
            break;  // every later entry could only repeat the same message
    }

    ModeBoxes boxes{randomBox_->isChecked(), repeatAllBox_->isChecked(), repeatOneBox_->isChecked()};
    setPlayMode(applyLoadedModes(boxes));

    if (!saved.paths.empty() && ownImageBox_->isChecked())
        startRotation();
}

void CustomBackgroundDialog::saveChoices()
{
    CustomImagesRecord record;
    record.modes = ModeBoxes{randomBox_->isChecked(), repeatAllBox_->isChecked(), repeatOneBox_->isChecked()};
    record.ownImage = ownImageBox_->isChecked();
    record.imageTime = intervalBox_->text().toStdString();
    for (const PictureRotation::Row &row : rotation_.rows())
        record.paths.push_back(row.path);
    saveCustomImages(record);
}

void CustomBackgroundDialog::showCentred()
{
    const QRect area = parentWidget() ? parentWidget()->window()->frameGeometry()
                                      : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                                          : QRect());
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
    show();
    raise();
    activateWindow();
}

unsigned CustomBackgroundDialog::surfaceTexture(unsigned builtInTexture) const
{
    // A guest whose own pictures all failed to load shows the built-in one, not a blank.
    if (noOneToAsk() && rotation_.imageCount() == 0)
        return builtInTexture;
    return rotation_.surfaceTexture(builtInTexture);
}

bool CustomBackgroundDialog::addImage(const std::string &path)
{
    return addPicture(path) == AddResult::Added;
}

CustomBackgroundDialog::AddResult CustomBackgroundDialog::addPicture(const std::string &path)
{
    if (rotation_.isFull()) {
        showOwnedMessage(this, QStringLiteral("The maximum number of background is: ")
                                   + QString::number(rotation_.imageCount()));
        return AddResult::ListFull;
    }

    if (makeGlCurrent_)
        makeGlCurrent_();
    const auto texture = static_cast<uint32_t>(loadUserPicture(path));
    if (doneGl_)
        doneGl_();

    if (rotation_.addPicture(path, texture)) {
        syncList();
        return AddResult::Added;
    }
    showOwnedMessage(this, QStringLiteral("(") + toQString(path) + QStringLiteral(")image loading error."));
    if (!noOneToAsk())
        stopRotation(); // a guest skips the picture and shows the others
    return AddResult::LoadFailed;
}

void CustomBackgroundDialog::startRotation()
{
    rotation_.startRotation();
}

void CustomBackgroundDialog::stopRotation()
{
    rotation_.stopRotation();
    syncList();
}

void CustomBackgroundDialog::onRotationTick()
{
    rotation_.onRotationTick(ownImageBox_->isChecked(), intervalSeconds(intervalBox_->text().toStdString()));
    syncList();
}

void CustomBackgroundDialog::onOwnImageBox()
{
    if (ownImageBox_->isChecked())
        startRotation();
    else if (rotation_.rotationOn())
        stopRotation();
}

void CustomBackgroundDialog::onModeBox(int id)
{
    if (const auto mode = playModeOfBox(id))
        setPlayMode(*mode);
}

void CustomBackgroundDialog::setPlayMode(PlayMode mode)
{
    rotation_.setPlayMode(mode);
    const ModeBoxes boxes = boxesFor(mode);
    repeatOneBox_->setCheck(boxes.repeatOne ? 1 : 0);
    repeatAllBox_->setCheck(boxes.repeatAll ? 1 : 0);
    randomBox_->setCheck(boxes.random ? 1 : 0);
}

void CustomBackgroundDialog::onAddImage()
{
    const QString path = askOpenFileName(this, QStringLiteral("(*.jpg;*.bmp;*.png)"),
                                         {QStringLiteral("*.jpg"), QStringLiteral("*.bmp"), QStringLiteral("*.png")});
    if (path.isEmpty())
        return;
    addImage(path.toStdString());
    if (rotation_.imageCount() == 1 && ownImageBox_->isChecked())
        startRotation();
}

void CustomBackgroundDialog::onRemoveImage()
{
    const std::vector<uint32_t> before = listedTextures();
    const int row = selectedRow();
    rotation_.removeRow(row);
    if (row >= 0 && row < list_->rowCount())
        list_->removeRow(row);
    syncList();
    freeUnlistedTextures(before);
}

void CustomBackgroundDialog::onRemoveAll()
{
    const std::vector<uint32_t> before = listedTextures();
    rotation_.removeAll();
    syncList();
    freeUnlistedTextures(before);
}

std::vector<uint32_t> CustomBackgroundDialog::listedTextures() const
{
    std::vector<uint32_t> textures;
    for (int slot = 0; slot < rotation_.imageCount(); ++slot)
        textures.push_back(rotation_.imageTexture(slot));
    return textures;
}

void CustomBackgroundDialog::freeUnlistedTextures(const std::vector<uint32_t> &before)
{
    const std::vector<uint32_t> listed = listedTextures();
    std::vector<GLuint> unused;
    for (uint32_t texture : before) {
        const bool stillListed = std::find(listed.begin(), listed.end(), texture) != listed.end();
        const bool onShow = static_cast<int64_t>(texture) == rotation_.currentTexture();
        if (texture != 0 && !stillListed && !onShow)
            unused.push_back(texture);
    }
    if (unused.empty())
        return;
    if (makeGlCurrent_)
        makeGlCurrent_();
    glDeleteTextures(static_cast<GLsizei>(unused.size()), unused.data());
    if (doneGl_)
        doneGl_();
}

void CustomBackgroundDialog::onDoubleClick()
{
    rotation_.pickSelectedImage(selectedRow());
    syncList();
}

int CustomBackgroundDialog::selectedRow() const
{
    return list_->firstSelectedRow();
}

void CustomBackgroundDialog::syncList()
{
    const auto &rows = rotation_.rows();
    const int wanted = static_cast<int>(rows.size());
    if (list_->rowCount() > wanted)
        list_->setRowCount(wanted);
    for (int row = list_->rowCount(); row < wanted; ++row)
        list_->appendRow({toQString(rows[row].path), QStringLiteral("OFF")});
    for (int row = 0; row < wanted; ++row) {
        list_->setCellText(row, 0, toQString(rows[row].path));
        list_->setCellText(row, 1, rows[row].shown ? QStringLiteral("ON") : QStringLiteral("OFF"));
    }
}
