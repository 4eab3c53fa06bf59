#pragma once

#include <functional>
#include <string>

// One sound file at a time, as the playlist engine drives it. MciPlayer is the real one;
// tests substitute their own. Times are milliseconds.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;

    // Stores the file that the next open() loads; the empty string loads nothing.
    virtual void setFileName(const std::string &path) = 0;
    // Starts loading the stored file (dropping whatever was loaded) and reads the device
    // volume back into volume(). Returns at once; when the player knows whether the file
    // can be played it calls the load handler once with the answer (from inside open()
    // when it knows at once, e.g. for a missing file). A slow file is never given up on:
    // only the player's own error makes it unplayable.
    virtual void open() = 0;
    // Receives the answer of every later open(): true when the file loaded and can be
    // played.
    virtual void setLoadHandler(std::function<void(bool playable)> handler) = 0;
    // True from open() until its answer has come.
    virtual bool isLoading() const = 0;
    // True when the last open() has answered that the file can be played.
    virtual bool canPlay() const = 0;
    // Plays from the current position.
    virtual void play() = 0;
    // Stops playing; the position stays where it is.
    virtual void stop() = 0;
    // Unloads the file.
    virtual void close() = 0;
    // Moves to a position, 0..length().
    virtual void seek(int positionMs) = 0;
    // Current position, never past length(); 0 with nothing loaded.
    virtual int position() = 0;
    // Length of the loaded file; 0 while unknown or with nothing loaded.
    virtual int length() = 0;
    // True once playing has run to the end of the file.
    virtual bool reachedEnd() = 0;
    // Stores the volume (0..1000, 1000 = normal) and applies it to the device.
    virtual void setVolume(int volume) = 0;
    // The last volume stored by setVolume() or read by open().
    virtual int volume() const = 0;
};
