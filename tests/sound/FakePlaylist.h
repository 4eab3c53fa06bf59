#pragma once

#include "MusicGlobals.h"
#include "MusicPlayer.h"
#include "PlaylistView.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

// The music dialog's list and buttons, reduced to what the engine touches.
struct FakeView : PlaylistView {
    std::vector<std::string> rows;
    int selected = -1;
    bool buttonsEnabled = true;
    bool ownMusicBox = false;
    int highlightRefreshes = 0;
    int highlightedRow = -2;   // currentTrackIndex as seen by the last repaint
    int positionRange = -1;
    int positionValue = -1;

    int rowCount() const override { return int(rows.size()); }
    std::string rowText(int row) const override { return rows.at(size_t(row)); }
    int firstSelectedRow() const override { return selected; }
    void clearSelection() override { selected = -1; }
    void refreshHighlight() override
    {
        ++highlightRefreshes;
        highlightedRow = currentTrackIndex;
    }
    void setEditButtonsEnabled(bool enabled) override { buttonsEnabled = enabled; }
    void checkOwnMusicBox() override { ownMusicBox = true; }
    void uncheckOwnMusicBox() override { ownMusicBox = false; }
    std::set<int> failedRows;
    void setRowFailed(int row, bool failed) override
    {
        if (failed)
            failedRows.insert(row);
        else
            failedRows.erase(row);
    }
    void setPositionRange(int lengthMs) override
    {
        positionRange = lengthMs;
        positionValue = 0;
    }
    void setPositionValue(int positionMs) override { positionValue = positionMs; }
};

// A player that logs every call and plays back scripted positions.
struct FakePlayer : MusicPlayer {
    std::vector<std::string> log;
    std::set<std::string> unplayable;   // files that open() cannot play
    std::string fileName;
    std::string openedFile;
    bool playable = false;
    bool playing = false;
    int positionMs = 0;
    int lengthMs = 0;
    bool ended = false;
    int storedVolume = 0;
    int opens = 0;
    std::function<void()> duringOpen;   // runs inside open()
    std::function<void(bool)> loadHandler;
    bool deferLoads = false;            // open() leaves the answer to finishLoad()
    bool loading = false;

    void setFileName(const std::string &path) override
    {
        fileName = path;
        log.push_back("setFileName " + path);
    }
    void open() override
    {
        ++opens;
        log.push_back("open");
        if (duringOpen)
            duringOpen();
        openedFile = fileName;
        playable = false;
        storedVolume = 1000;
        ended = false;
        loading = true;
        if (!deferLoads)
            finishLoad();
    }
    // The answer of the pending open(), as the media backend would send it.
    void finishLoad()
    {
        loading = false;
        playable = !openedFile.empty() && !unplayable.count(openedFile);
        if (loadHandler)
            loadHandler(playable);
    }
    void setLoadHandler(std::function<void(bool)> handler) override { loadHandler = std::move(handler); }
    bool isLoading() const override { return loading; }
    bool canPlay() const override { return playable; }
    void play() override
    {
        log.push_back("play");
        playing = playable;
    }
    void stop() override
    {
        log.push_back("stop");
        playing = false;
    }
    void close() override
    {
        log.push_back("close");
        loading = false;
        playable = false;
    }
    void seek(int ms) override { log.push_back("seek " + std::to_string(ms)); }
    int position() override { return positionMs; }
    int length() override { return lengthMs; }
    bool reachedEnd() override { return ended; }
    void setVolume(int volume) override
    {
        storedVolume = volume;
        log.push_back("setVolume " + std::to_string(volume));
    }
    int volume() const override { return storedVolume; }
};
