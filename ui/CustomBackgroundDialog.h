#pragma once

#include "CustomDialog.h"
#include "PictureRotation.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class FlatButton;
class LampCheckButton;
class QLineEdit;
class CustomListView;

// "Custom Background": the user's own background pictures (up to 10 JPEG, BMP or PNG
// files), how they rotate (Repeat One, Repeat All, Random), the interval in seconds and
// the switch between them and the built-in picture. Modeless; the view creates it once,
// hidden, while its GL context is current, and only shows and hides it afterwards.
// The picture rotation lives here and keeps running (200 ms timer) while the dialog is
// hidden. Its choices are kept in section "Custom Images" of the settings file: read at
// creation, written whenever the dialog is closed (close box or Esc).
//
// The view reads surfaceTexture() every frame.
class CustomBackgroundDialog : public CustomDialog {
    Q_OBJECT
public:
    // Control ids of the dialog's template.
    enum ControlId {
        OwnImageBox = 1014,
        PictureList = 1015,
        RepeatOneBox = 1023,
        RepeatAllBox = 1024,
        RandomBox = 1025,
        IntervalBox = 1019,
        AddImageButton = 1008,
        RemoveImageButton = 1011,
        RemoveAllButton = 1012,
    };

    // makeGlCurrent makes the view's GL context current on this thread (the pictures'
    // textures are created in it); doneGl, when given, runs after each picture has
    // loaded. The saved list is loaded here, so the context must be usable already.
    CustomBackgroundDialog(QWidget *parent, std::function<void()> makeGlCurrent,
                           std::function<void()> doneGl = {});
    ~CustomBackgroundDialog() override;

    // "  Custom Background": centres the dialog on its parent and shows it.
    void showCentred();

    // The texture the background surface binds this frame: `builtInTexture` while own
    // pictures are off, else the current own picture (0 when there is none, which
    // leaves the surface untextured). Own pictures are on when the last rotation tick
    // saw "Use your own image" checked (global ownImageOn).
    unsigned surfaceTexture(unsigned builtInTexture) const;

    // Adds one picture as "Add Image" and loading do: refuses an 11th picture with
    // "The maximum number of background is: 10", loads it into the view's context and
    // appends its row, or reports "(path)image loading error." and stops the rotation.
    // Returns whether a row was added.
    bool addImage(const std::string &path);

    // The rotation as it stands (tests, diagnostics).
    const PictureRotation &rotation() const { return rotation_; }

private:
    enum class AddResult { Added, ListFull, LoadFailed };

    void buildControls();
    void initialise();
    void loadSaved();
    void saveChoices() override;
    AddResult addPicture(const std::string &path);

    void startRotation();
    void stopRotation();
    void onRotationTick();
    void onOwnImageBox();
    void onModeBox(int id);
    void setPlayMode(PlayMode mode);
    void onAddImage();
    void onRemoveImage();
    void onRemoveAll();
    // The textures of the listed pictures, in list order.
    std::vector<uint32_t> listedTextures() const;
    // Deletes, in the view's context, each of `before` that is no longer listed nor on
    // show: a removed picture's texture is several MiB that nothing else frees.
    void freeUnlistedTextures(const std::vector<uint32_t> &before);
    void onDoubleClick();

    int selectedRow() const;
    // Makes the list's rows and "State" texts match the rotation's (rows are removed by
    // their handlers, so the selection goes with the deleted row).
    void syncList();

    std::function<void()> makeGlCurrent_;
    std::function<void()> doneGl_;
    PictureRotation rotation_;
    QTimer rotationTimer_;

    LampCheckButton *ownImageBox_ = nullptr;
    LampCheckButton *repeatOneBox_ = nullptr;
    LampCheckButton *repeatAllBox_ = nullptr;
    LampCheckButton *randomBox_ = nullptr;
    CustomListView *list_ = nullptr;
    QLineEdit *intervalBox_ = nullptr;
    FlatButton *addButton_ = nullptr;
    FlatButton *removeButton_ = nullptr;
    FlatButton *removeAllButton_ = nullptr;
};
