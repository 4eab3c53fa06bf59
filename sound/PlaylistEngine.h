#pragma once

#include "MusicPlayer.h"
#include "PlayMode.h"
#include "PlayState.h"
#include "PlaylistView.h"

#include <string>
#include <vector>

// The own-music playlist: which file plays, in which mode, and what happens at its end.
// The music dialog owns one, hands it its controls (PlaylistView) and its player
// (MusicPlayer), forwards its control events and runs timerTick() every 200 ms.
// Everything runs on the GUI thread.
class PlaylistEngine {
public:
    PlaylistEngine(PlaylistView &view, MusicPlayer &player);

    // The dialog's set-up: the own-music volume comes from the profile value
    // "Settings"/"Volume" (0..1000); the player opens with no file and gets that volume.
    void initialise(int profileVolume);

    PlayState playState() const { return m_state; }
    PlayMode playMode() const { return m_mode; }
    // The mode boxes set the mode at once; it applies from the next selectTrack().
    void setPlayMode(PlayMode mode) { m_mode = mode; }
    // Playlist row of the loaded track, -1 for none.
    int currentIndex() const { return m_currentIndex; }
    // Last position read by checkEndOfTrack(), milliseconds.
    int position() const { return m_position; }
    // Volume (0..1000) given to every track that selectTrack() loads.
    int volume() const { return m_volume; }
    // The volume slider moved: the player and every later track get this volume.
    void setVolume(int volume);
    // The rows of the list, in order.
    std::vector<std::string> playlist() const;

    // Chooses the next row by mode and state and loads it without starting it. Every
    // caller passes fallbackIndex 0; only a click on a row passes useSelection true.
    // An empty list does nothing. A file that cannot be played ends in stopPlaying().
    void selectTrack(int fallbackIndex, bool useSelection);
    // Starts the loaded track: state Playing, current row highlighted, the list-editing
    // buttons disabled and "On/Off" checked. An empty list does nothing.
    void startPlaying();
    // Stops and rewinds: state Stopped, no current row, no selection, buttons enabled.
    void stopPlaying();
    // The timer's poll while Playing: reads the position and, once the track has ended,
    // loads the next one by mode and starts it.
    void checkEndOfTrack();

    // Control events of the dialog.
    // "Play", "On/Off" checked, or start-up with own music on and a non-empty list.
    void play();
    // A click on the list: with a row selected, loads it and, while Playing, starts it.
    void rowClicked();
    // "On/Off" clicked; `checkedNow` is the box's state after the click.
    void ownMusicBoxClicked(bool checkedNow);
    // The 200 ms timer: copies "On/Off" into ownMusicOn, then polls for the track end.
    void timerTick(bool ownMusicBoxChecked);

private:
    void refreshHighlight();
    bool trackHasEnded();

    PlaylistView &m_view;
    MusicPlayer &m_player;
    PlayState m_state = PlayState::Idle;
    PlayMode m_mode = PlayMode::RepeatOne;
    int m_currentIndex = -1;
    int m_position = 0;
    int m_volume = 1000;
    // Set while selectTrack() runs: loading a file may run the event loop, whose timer
    // must not poll (and load again) in the middle of it.
    bool m_selecting = false;
};
