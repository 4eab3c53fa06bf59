#pragma once

#include <string>

// One sound file at a time, as the playlist engine drives it. MciPlayer is the real one;
// tests substitute their own. Times are milliseconds.
class MusicPlayer {
public:
    virtual ~MusicPlayer() = default;

    // Stores the file that the next open() loads; the empty string loads nothing.
    virtual void setFileName(const std::string &path) = 0;
    // Loads the stored file (dropping whatever was loaded), records whether it can be
    // played and reads the device volume back into volume().
    virtual void open() = 0;
    // What open() found: true when the file loaded and can be played.
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
