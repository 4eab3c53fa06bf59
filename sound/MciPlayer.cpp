#include "MciPlayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The backend's answer for a file being loaded: playable, not playable, or none yet.
std::optional<bool> loadAnswer(const QMediaPlayer &player)
{
    if (player.error() != QMediaPlayer::NoError)
        return false;
    switch (player.mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::EndOfMedia:
        return true;
    case QMediaPlayer::InvalidMedia:
        return false;
    default:
        return std::nullopt;  // still loading, however long it takes
    }
}

} // namespace

MciPlayer::MciPlayer() = default;

MciPlayer::~MciPlayer() { releaseMedia(); }

void MciPlayer::setParent(QObject *parent) { m_parent = parent; }

QObject *MciPlayer::parent() const { return m_parent.data(); }

void MciPlayer::setFileName(const std::string &path) { m_fileName = path; }

void MciPlayer::open()
{
    releaseMedia();
    m_canPlay = false;
    m_loading = true;
    const QString path = QString::fromStdString(m_fileName);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        // Nothing to play: no media backend is started for it (it costs tens of
        // megabytes and a tenth of a second, and the aquarium opens the player with no
        // file at start-up). The volume reads as a fresh device's.
        m_volume = 1000;
        answer(false);
        return;
    }
    m_player = new QMediaPlayer(m_parent.data());
    m_output = new QAudioOutput(m_parent.data());
    m_player->setAudioOutput(m_output);
    m_volume = int(std::lround(m_output->volume() * 1000.0));

    // Queued, and received by an object of our own: the handler may close this player,
    // which must not happen inside its own signal.
    const int generation = ++m_generation;
    QObject::connect(m_player, &QMediaPlayer::mediaStatusChanged, &m_signals,
                     [this, generation] { checkLoad(generation); }, Qt::QueuedConnection);
    QObject::connect(m_player, &QMediaPlayer::errorOccurred, &m_signals,
                     [this, generation] { checkLoad(generation); }, Qt::QueuedConnection);
    m_player->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    checkLoad(generation);
}

void MciPlayer::setLoadHandler(std::function<void(bool)> handler) { m_loadHandler = std::move(handler); }

void MciPlayer::checkLoad(int generation)
{
    if (!m_loading || generation != m_generation || !m_player)
        return;
    if (const std::optional<bool> playable = loadAnswer(*m_player))
        answer(*playable);
}

void MciPlayer::answer(bool playable)
{
    m_loading = false;
    m_canPlay = playable;
    if (!playable && m_player)
        m_player->setSource(QUrl());  // never starts late on its own
    if (m_loadHandler)
        m_loadHandler(playable);
}

void MciPlayer::play()
{
    if (m_player && m_canPlay)
        m_player->play();
}

void MciPlayer::stop()
{
    if (m_player && m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
}

void MciPlayer::close() { releaseMedia(); }

void MciPlayer::seek(int positionMs)
{
    if (!m_player || !m_canPlay)
        return;
    const int end = length();
    int target = std::max(positionMs, 0);
    if (end > 0)
        target = std::min(target, end);
    m_player->setPosition(target);
}

int MciPlayer::position()
{
    if (!m_player)
        return 0;
    // Some streams (MPEG) report positions past their duration.
    const int end = length();
    int at = int(std::max<qint64>(m_player->position(), 0));
    if (end > 0)
        at = std::min(at, end);
    return at;
}

int MciPlayer::length()
{
    if (!m_player)
        return 0;
    return int(std::clamp<qint64>(m_player->duration(), 0, INT32_MAX));
}

bool MciPlayer::reachedEnd()
{
    return m_player && m_canPlay && m_player->mediaStatus() == QMediaPlayer::EndOfMedia;
}

void MciPlayer::setVolume(int volume)
{
    m_volume = volume;
    if (!m_output)
        return;
    const float level = float(std::clamp(volume, 0, 1000)) / 1000.0f;
    if (m_output->volume() == level)
        return;
    m_output->setVolume(level);
    // A loaded or paused track has its first moments of sound decoded already, at the
    // old volume: they would blare out at the next play(). Decode them again. A track
    // at its end is left there, so that its end is still seen.
    if (m_player && m_canPlay && m_player->playbackState() != QMediaPlayer::PlayingState
        && m_player->mediaStatus() != QMediaPlayer::EndOfMedia) {
        m_player->pause();
        m_player->setPosition(m_player->position());
    }
}

void MciPlayer::releaseMedia()
{
    m_canPlay = false;
    m_loading = false;
    delete m_player.data();
    delete m_output.data();
    m_player = nullptr;
    m_output = nullptr;
}
