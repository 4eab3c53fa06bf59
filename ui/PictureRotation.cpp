#include "PictureRotation.h"

#include "Random.h"

#include <climits>

bool ownImageOn = false;

bool PictureRotation::addPicture(const std::string &path, uint32_t texture)
{
    if (isFull())
        return false;
    imageTextures_[imageCount()] = texture;
    if (texture == 0)
        return false;
    rows_.push_back(Row{path, false});
    return true;
}

void PictureRotation::removeRow(int selectedRow)
{
    if (selectedRow >= 0 && selectedRow < imageCount()) {
        rows_.erase(rows_.begin() + selectedRow);
        for (int slot = selectedRow; slot < imageCount(); ++slot)
            imageTextures_[slot] = imageTextures_[slot + 1];
        imageTextures_[imageCount()] = 0;
    }
    if (rows_.empty()) {
        imageTextures_.fill(0);
        currentTexture_ = 0;
    } else {
        currentTexture_ = selectImage(0, true);
    }
}

void PictureRotation::removeAll()
{
    rows_.clear();
    imageTextures_.fill(0);
    currentTexture_ = 0;
}

void PictureRotation::startRotation()
{
    rotationOn_ = true;
    ticksSinceSwitch_ = -1;
}

void PictureRotation::stopRotation()
{
    for (Row &row : rows_)
        row.shown = false;
    rotationOn_ = false;
}

int32_t PictureRotation::selectImage(int index, bool explicitPick)
{
    const int count = imageCount();
    if (count == 0 || !rotationOn_)
        return -1;

    if (explicitPick) {
        if (index < 0 || index >= count)
            return -1;
        markShown(index);
        return static_cast<int32_t>(imageTextures_[index]);
    }

    switch (playMode_) {
    case PlayMode::RepeatOne:
        // A current value that is no listed picture (-1 after a removal or a pick
        // made while the rotation was off) would otherwise stay on screen as "no
        // picture" for good: fall back to the first row like a fresh start does.
        if (currentTexture_ != 0 && positionOf(currentTexture_) < count)
            return currentTexture_;
        return static_cast<int32_t>(imageTextures_[0]);
    case PlayMode::RepeatAll:
        return static_cast<int32_t>(imageTextures_[(positionOf(currentTexture_) + 1) % count]);
    case PlayMode::Random:
        return static_cast<int32_t>(imageTextures_[varlen::randomValue() % count]);
    }
    return -1;
}

void PictureRotation::onRotationTick(bool ownImageBoxChecked, int intervalSeconds)
{
    ownImageOn = ownImageBoxChecked;
    if (!rotationOn_)
        return;

    if (ticksSinceSwitch_ < INT_MAX)
        ++ticksSinceSwitch_;
    if (ticksSinceSwitch_ != 0
        && static_cast<int64_t>(ticksSinceSwitch_) * kTickMs < static_cast<int64_t>(intervalSeconds) * 1000)
        return;

    currentTexture_ = selectImage(0, false);
    ticksSinceSwitch_ = 0;
    if (currentTexture_ != 0) {
        const int row = positionOf(currentTexture_);
        if (row < imageCount())
            markShown(row);
    }
}

void PictureRotation::pickSelectedImage(int selectedRow)
{
    if (selectedRow < 0 || selectedRow >= imageCount())
        return;
    currentTexture_ = selectImage(selectedRow, true);
}

uint32_t PictureRotation::imageTexture(int slot) const
{
    if (slot < 0 || slot >= kMaxPictures)
        return 0;
    return imageTextures_[slot];
}

uint32_t PictureRotation::surfaceTexture(uint32_t builtInTexture) const
{
    if (!ownImageOn)
        return builtInTexture;
    return currentTexture_ > 0 ? static_cast<uint32_t>(currentTexture_) : 0u;
}

int PictureRotation::positionOf(int64_t texture) const
{
    const int count = imageCount();
    for (int i = 0; i < count; ++i) {
        if (static_cast<int64_t>(imageTextures_[i]) == texture)
            return i;
    }
    return count;
}

void PictureRotation::markShown(int row)
{
    for (int i = 0; i < imageCount(); ++i)
        rows_[i].shown = (i == row);
}
