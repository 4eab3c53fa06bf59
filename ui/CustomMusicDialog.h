#pragma once

#include "CustomDialog.h"
#include "MciPlayer.h"
#include "PlaylistEngine.h"
#include "PlaylistView.h"

#include <QTimer>

#include <memory>

class ColorSlider;
class CustomListView;
class LampCheckButton;
class QLabel;
class QPushButton;
class QSlider;

// "Custom Music": the user's own playlist of sound files (mp3, wav, mpeg), its play
// mode, its volume and the switch between it and the built-in tune. Modeless; the view
// creates it once, hidden, and only shows and hides it afterwards. It hosts the
// playlist engine and its player, so the playlist keeps playing while the dialog is
// hidden; its 200 ms timer copies "On/Off" into the global ownMusicOn (which the view's
// music hook reads) and watches for the end of each track. Its choices are kept in
// section "Custom Settings" of the settings file: read at creation (a saved playlist
// with "On/Off" checked starts playing at once), written whenever the dialog is closed
// (close box or Esc). The volume starts from the profile value "Settings"/"Volume" and
// is never stored.
class CustomMusicDialog : public CustomDialog {
    Q_OBJECT
public:
    // Control ids of the dialog's template.
    enum ControlId {
        OwnMusicBox = 1011,
        RepeatOneBox = 1023,
        RepeatAllBox = 1024,
        RandomBox = 1025,
        MusicList = 1016,
        AddMusicButton = 1017,
        RemoveButton = 1018,
        RemoveAllButton = 1019,
        PlayButton = 1021,
        StopButton = 1022,
        VolumeSlider = 1007,
        PositionSlider = 1006,
        PlayerParent = 1034,
    };

    explicit CustomMusicDialog(QWidget *parent);
    ~CustomMusicDialog() override;

    // "  Custom Music": centres the dialog on the screen and shows it.
    void showCentred();

    // The playlist engine (state, mode, current row, volume) and the list's paths.
    const PlaylistEngine &engine() const { return *engine_; }
    std::vector<std::string> playlist() const { return engine_->playlist(); }

private:
    class ListAdapter;

    void buildControls();
    void initialise();
    void loadSettings();
    void saveChoices() override;

    void onAddMusic();
    void onRemove();
    void onRemoveAll();
    void onModeBox(int id);
    void setPlayMode(PlayMode mode);

    LampCheckButton *ownMusicBox_ = nullptr;
    LampCheckButton *repeatOneBox_ = nullptr;
    LampCheckButton *repeatAllBox_ = nullptr;
    LampCheckButton *randomBox_ = nullptr;
    CustomListView *list_ = nullptr;
    QPushButton *addButton_ = nullptr;
    QPushButton *removeButton_ = nullptr;
    QPushButton *removeAllButton_ = nullptr;
    QPushButton *playButton_ = nullptr;
    QPushButton *stopButton_ = nullptr;
    ColorSlider *volumeSlider_ = nullptr;
    QSlider *positionSlider_ = nullptr;
    QLabel *playerParent_ = nullptr;

    std::unique_ptr<ListAdapter> listAdapter_;
    MciPlayer player_;
    std::unique_ptr<PlaylistEngine> engine_;
    QTimer timer_;
};
