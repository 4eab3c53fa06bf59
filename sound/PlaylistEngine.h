#pragma once

#include "MusicPlayer.h"
#include "PlayMode.h"
#include "PlayState.h"
#include "PlaylistView.h"

#include <set>
#include <string>
#include <vector>

// The own-music playlist: which file plays, in which mode, and what happens at its end.
// The music dialog owns one, hands it its controls (PlaylistView) and its player
// (MusicPlayer), forwards its control events and runs timerTick() every 200 ms.
// Everything runs on the GUI thread.
class PlaylistEngine {
public:
    PlaylistEngine(PlaylistView &view, MusicPlayer &player);
    ~PlaylistEngine();
    PlaylistEngine(const PlaylistEngine &) = delete;
    PlaylistEngine &operator=(const PlaylistEngine &) = delete;

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

    // Chooses the next row by mode and state and starts loading it without starting it.
    // Every caller passes fallbackIndex 0; only a click on a row passes useSelection
    // true. An empty list does nothing. The player answers later (or at once): a file
    // that cannot be played has its row marked failed and, unless Playing, ends in
    // stopPlaying().
    void selectTrack(int fallbackIndex, bool useSelection);
    // Starts the loaded track (or the one still loading, as soon as it has loaded):
    // state Playing, current row highlighted, the list-editing buttons disabled and
    // "On/Off" checked. An empty list does nothing. While Playing, a track that cannot
    // be played is marked failed and skipped: Repeat All takes the next row, Random a
    // random row, both only rows not yet failed in this run of failures; when no row is
    // left (at once in Repeat One) the list stops, "On/Off" is unchecked and own music
    // is off, so the built-in tune plays again.
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
    void load(int index);
    void trackLoaded(bool playable);
    void skipFailedTracks();
    void giveUp();
    void beginPlaying();
    void refreshHighlight();
    bool trackHasEnded();

    PlaylistView &m_view;
    MusicPlayer &m_player;
    PlayState m_state = PlayState::Idle;
    PlayMode m_mode = PlayMode::RepeatOne;
    int m_currentIndex = -1;
    int m_position = 0;
    int m_volume = 1000;
    int m_loadingRow = -1;         // row of the last open()
    bool m_loading = false;        // that open() has not answered yet
    bool m_trackFailed = false;    // it answered "cannot play"
    bool m_playWhenLoaded = false; // startPlaying() came while it loaded
    bool m_skipping = false;       // inside skipFailedTracks()
    std::set<int> m_failedRows;    // rows found unplayable since the last good one
};
