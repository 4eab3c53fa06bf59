#pragma once

#include "MusicPlayer.h"

#include <QObject>
#include <QPointer>

#include <string>

class QAudioOutput;
class QMediaPlayer;

// The own-music player: one sound file (mp3, wav, mpeg, ...) at a time over QMediaPlayer
// and QAudioOutput. Every open() drops the previous player and makes a fresh one for the
// stored file name, unless that names no file: then there is no player until the next
// open(). Loading is asynchronous in the media backend: open() returns at once and the
// load handler hears the answer when the backend's status or error says it (a missing
// file is answered inside open()). With no audio output on the machine the file still
// "plays", silently, and reaches its end.
class MciPlayer : public MusicPlayer {
public:
    MciPlayer();
    ~MciPlayer() override;
    MciPlayer(const MciPlayer &) = delete;
    MciPlayer &operator=(const MciPlayer &) = delete;

    // The object that owns the media objects open() creates (the music dialog). Applies
    // from the next open(); without one the player owns them alone.
    void setParent(QObject *parent);
    QObject *parent() const;

    void setFileName(const std::string &path) override;
    std::string fileName() const { return m_fileName; }

    void open() override;
    void setLoadHandler(std::function<void(bool playable)> handler) override;
    bool isLoading() const override { return m_loading; }
    bool canPlay() const override { return m_canPlay; }
    void play() override;
    void stop() override;
    void close() override;
    void seek(int positionMs) override;
    int position() override;
    int length() override;
    bool reachedEnd() override;
    // Values outside 0..1000 are stored as given; the device gets the nearer end.
    void setVolume(int volume) override;
    int volume() const override { return m_volume; }

private:
    void checkLoad(int generation);
    void answer(bool playable);
    void releaseMedia();

    QPointer<QObject> m_parent;
    std::string m_fileName;
    int m_volume = 1000;
    bool m_canPlay = false;
    bool m_loading = false;
    int m_generation = 0;   // counts open()s: an answer for an older one is dropped
    QObject m_signals;      // receives the player's status signals
    std::function<void(bool)> m_loadHandler;
    QPointer<QMediaPlayer> m_player;
    QPointer<QAudioOutput> m_output;
};
