#pragma once

#include "PlayMode.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// True while the background surface shows the user's own pictures instead of the
// built-in one. Copied from the "Use your own image" box at every rotation tick;
// the renderer reads it each frame.
extern bool ownImageOn;

// The user's background pictures and their rotation: up to 10 pictures, each a row of
// the picture list with a texture slot and an "ON"/"OFF" state, changed every interval
// by the play mode. Pure rules: no GL, no widgets. The custom background dialog owns
// one, feeds it the list edits, the 200 ms ticks and the box states, and mirrors its
// rows into the list control.
//
// Texture names are plain numbers here (the dialog loads them). currentTexture() is
// signed: 0 means no picture yet, -1 means "no picture" (asked for while the list was
// empty or the rotation was off); both leave the surface untextured.
class PictureRotation {
public:
    static constexpr int kMaxPictures = 10;
    static constexpr int kTickMs = 200;  // the dialog's timer period

    struct Row {
        std::string path;     // "Backgrounds Directory" column
        bool shown = false;   // "State" column: "ON" when true, else "OFF"
    };

    // ---- list edits -------------------------------------------------------------
    // imageCount() == rows().size(); 0..kMaxPictures.
    int imageCount() const { return static_cast<int>(rows_.size()); }
    const std::vector<Row> &rows() const { return rows_; }
    bool isFull() const { return imageCount() >= kMaxPictures; }

    // Puts `texture` into slot imageCount() and, when it is not 0, appends a row with
    // `path` in state "OFF". A 0 texture (failed load) leaves no row. When the list is
    // already full nothing changes. Returns whether a row was added.
    bool addPicture(const std::string &path, uint32_t texture);

    // Deletes row `selectedRow` (-1 or any index outside the list: no row is deleted),
    // moves the later slots down and clears the freed one. Afterwards an empty list
    // clears every slot and currentTexture; otherwise the first picture becomes
    // current and is marked "ON" (or currentTexture becomes -1 while the rotation is
    // off). That last step runs even when no row was deleted.
    void removeRow(int selectedRow);

    // Empties the list: every slot and currentTexture become 0.
    void removeAll();

    // ---- rotation ---------------------------------------------------------------
    // Runs the rotation; the next tick changes the picture.
    void startRotation();
    // Stops it and marks every row "OFF"; currentTexture keeps its value.
    void stopRotation();

    // The picture to show next. With no rows or the rotation off: -1, nothing
    // changes. An explicit pick returns row `index`'s texture and marks it alone
    // "ON". Otherwise the play mode chooses (states untouched):
    //   RepeatOne - the current picture while it is one of the list's, else row 0;
    //   RepeatAll - the row after the current one, wrapping; when the current picture
    //               is not in the list the search position is imageCount, so row
    //               (imageCount + 1) % imageCount follows;
    //   Random    - row randomValue() % imageCount.
    int32_t selectImage(int index, bool explicitPick);

    // One 200 ms tick. Sets ownImageOn from the box; while the rotation runs, counts
    // the tick and changes the picture on the first tick after startRotation() and
    // then whenever ticks x 200 ms reach intervalSeconds x 1000 (0: every tick).
    void onRotationTick(bool ownImageBoxChecked, int intervalSeconds);

    // Double-click: shows row `selectedRow` at once (-1 or outside the list: nothing).
    // With the rotation off this stores -1. The interval count is not reset.
    void pickSelectedImage(int selectedRow);

    // ---- state read by the dialog, the renderer and tests ------------------------
    int32_t currentTexture() const { return currentTexture_; }
    uint32_t imageTexture(int slot) const;  // 0 outside 0..kMaxPictures-1
    bool rotationOn() const { return rotationOn_; }
    PlayMode playMode() const { return playMode_; }
    void setPlayMode(PlayMode mode) { playMode_ = mode; }
    int ticksSinceSwitch() const { return ticksSinceSwitch_; }

    // The texture the background surface binds this frame: `builtInTexture` while own
    // pictures are off, else the current picture (0, untextured, when there is none).
    uint32_t surfaceTexture(uint32_t builtInTexture) const;

private:
    // Position of `texture` among the listed slots, imageCount() when absent.
    int positionOf(int64_t texture) const;
    void markShown(int row);  // every row "OFF", then `row` "ON" when it exists

    std::array<uint32_t, kMaxPictures> imageTextures_{};
    int32_t currentTexture_ = 0;
    std::vector<Row> rows_;
    bool rotationOn_ = false;
    PlayMode playMode_ = PlayMode::RepeatOne;
    int ticksSinceSwitch_ = -1;  // -1: change at the next tick
};
