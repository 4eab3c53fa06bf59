#pragma once

#include "MusicHook.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QSoundEffect;
class QTemporaryFile;

// The built-in tune: the embedded "Music" asset (id 227, a RIFF WAVE file) played in an
// endless loop at the volume of the "YINLIANG" setting (read at each start). play()
// extracts the asset, starts the loop and deletes both asset files at once: the sound
// plays from a copy in the same private asset directory, kept only until the sound has
// been read into memory.
// With no audio output on the machine it "plays" silently.
class BuiltInTune : public QObject, public TuneControl {
    Q_OBJECT
public:
    // Where the tune's files come from and go: the embedded asset store by default.
    struct AssetStore {
        std::function<std::string()> directory;  // asset directory, ending in a separator
        std::function<bool(int id, std::string directory, std::string baseName)> extract;
        std::function<void(const std::string &path)> remove;
    };
    static AssetStore embeddedAssets();

    static constexpr int kAssetId = 227;

    explicit BuiltInTune(QObject *parent = nullptr);
    explicit BuiltInTune(AssetStore store, QObject *parent = nullptr);
    ~BuiltInTune() override;

    // Extracts, starts and cleans up; a tune already running starts over.
    void play() override;
    // Stops the loop and lets the sound device go; nothing when not playing.
    void stop() override;

    // True from play() until stop(), unless the sound could not be read.
    bool isPlaying() const;
    // True once the whole sound is in memory.
    bool isLoaded() const;
    // Linear output volume 0.0..1.0 of the running loop; 0 when none runs.
    double volume() const;

signals:
    // The sound has been read into memory, or failed to read: its copy is gone.
    void loadFinished();

private:
    void onStatusChanged();
    void releaseCopy();

    AssetStore m_store;
    QSoundEffect *m_effect = nullptr;
    std::unique_ptr<QTemporaryFile> m_copy;
};
