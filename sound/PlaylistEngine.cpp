#include "PlaylistEngine.h"

#include "MusicGlobals.h"
#include "Random.h"

#include <algorithm>

PlaylistEngine::PlaylistEngine(PlaylistView &view, MusicPlayer &player)
    : m_view(view), m_player(player)
{
    m_player.setLoadHandler([this](bool playable) { trackLoaded(playable); });
}

PlaylistEngine::~PlaylistEngine() { m_player.setLoadHandler({}); }

void PlaylistEngine::initialise(int profileVolume)
{
    m_volume = profileVolume;
    m_player.setFileName(std::string());
    m_player.open();
    m_player.setVolume(m_volume);
}

void PlaylistEngine::setVolume(int volume)
{
    m_player.setVolume(volume);
    m_volume = volume;
}

std::vector<std::string> PlaylistEngine::playlist() const
{
    std::vector<std::string> rows;
    const int count = m_view.rowCount();
    for (int row = 0; row < count; ++row)
        rows.push_back(m_view.rowText(row));
    return rows;
}

void PlaylistEngine::selectTrack(int fallbackIndex, bool useSelection)
{
    const int rows = m_view.rowCount();
    if (rows <= 0)
        return;
    const int selected = m_view.firstSelectedRow();

    int index;
    if (m_state == PlayState::Playing) {
        if (useSelection) {
            index = m_currentIndex = selected;
        } else {
            switch (m_mode) {
            case PlayMode::RepeatOne:
                break; // the same track again
            case PlayMode::RepeatAll:
                ++m_currentIndex;
                if (m_currentIndex >= rows)
                    m_currentIndex = 0;
                break;
            case PlayMode::Random:
                m_currentIndex = varlen::randomValue() % rows;
                break;
            }
            index = m_currentIndex;
        }
    } else if (selected >= 0) {
        index = m_currentIndex = selected;
    } else {
        switch (m_mode) {
        case PlayMode::RepeatOne:
            index = fallbackIndex;
            break;
        case PlayMode::RepeatAll:
            index = 0;
            break;
        case PlayMode::Random:
        default:
            index = varlen::randomValue() % rows;
            break;
        }
        m_currentIndex = index;
    }

    load(index);
}

void PlaylistEngine::load(int index)
{
    const int rows = m_view.rowCount();
    const std::string file = (index >= 0 && index < rows) ? m_view.rowText(index) : std::string();
    m_loadingRow = index;
    m_trackFailed = false;
    m_loading = true;
    m_player.stop();
    m_player.close();
    m_player.setFileName(file);
    m_player.open();  // the answer may come from inside open()
}

void PlaylistEngine::trackLoaded(bool playable)
{
    if (!m_loading)
        return;  // the answer to the empty open() of initialise()
    m_loading = false;
    if (m_loadingRow >= 0 && m_loadingRow < m_view.rowCount())
        m_view.setRowFailed(m_loadingRow, !playable);
    if (playable) {
        m_failedRows.clear();
        m_player.seek(0);
        m_player.setVolume(m_volume);
        m_view.setPositionRange(m_player.length());
        if (m_playWhenLoaded) {
            m_playWhenLoaded = false;
            m_player.play();
        }
        return;
    }
    m_trackFailed = true;
    m_playWhenLoaded = false;
    if (m_skipping)
        return;  // skipFailedTracks() goes on
    if (m_state == PlayState::Playing) {
        skipFailedTracks();
        return;
    }
    stopPlaying();
    m_player.setVolume(m_volume);
    m_view.setPositionRange(m_player.length());
}

void PlaylistEngine::skipFailedTracks()
{
    const int rows = m_view.rowCount();
    while (m_trackFailed) {
        m_failedRows.insert(m_loadingRow);
        std::vector<int> candidates;
        for (int step = 1; step <= rows; ++step) {
            const int row = (std::max(m_loadingRow, -1) + step) % rows;
            if (!m_failedRows.count(row))
                candidates.push_back(row);
        }
        if (m_mode == PlayMode::RepeatOne || candidates.empty()) {
            giveUp();
            return;
        }
        const int next = m_mode == PlayMode::Random
            ? candidates[std::size_t(varlen::randomValue()) % candidates.size()]
            : candidates.front();
        m_currentIndex = next;
        m_skipping = true;
        load(next);
        m_skipping = false;
    }
    beginPlaying();
}

void PlaylistEngine::giveUp()
{
    m_failedRows.clear();
    stopPlaying();
    m_view.uncheckOwnMusicBox();
    ownMusicOn = false;
}

void PlaylistEngine::startPlaying()
{
    if (m_view.rowCount() <= 0)
        return;
    if (m_trackFailed) {
        m_state = PlayState::Playing;
        skipFailedTracks();
        return;
    }
    beginPlaying();
}

void PlaylistEngine::beginPlaying()
{
    m_state = PlayState::Playing;
    if (m_loading)
        m_playWhenLoaded = true;
    else
        m_player.play();
    refreshHighlight();
    m_view.setEditButtonsEnabled(false);
    m_view.checkOwnMusicBox();
}

void PlaylistEngine::stopPlaying()
{
    m_state = PlayState::Stopped;
    m_playWhenLoaded = false;
    m_player.stop();
    m_player.seek(0);
    m_currentIndex = -1;
    refreshHighlight();
    m_view.clearSelection();
    m_view.setEditButtonsEnabled(true);
}

void PlaylistEngine::checkEndOfTrack()
{
    if (m_state != PlayState::Playing || m_loading)
        return;
    m_position = m_player.position();
    m_view.setPositionValue(m_position);
    if (m_player.canPlay() && trackHasEnded()) {
        selectTrack(0, false);
        if (m_state == PlayState::Playing)
            startPlaying();
    }
}

bool PlaylistEngine::trackHasEnded()
{
    // Players stop a little short of the length or report past it, and the length is
    // 0 until it is known: the player's own end report counts as well.
    if (m_player.reachedEnd())
        return true;
    const int length = m_player.length();
    return length > 0 && m_position >= length;
}

void PlaylistEngine::play()
{
    selectTrack(0, false);
    startPlaying();
}

void PlaylistEngine::rowClicked()
{
    if (m_view.firstSelectedRow() < 0)
        return;
    selectTrack(0, true);
    if (m_state == PlayState::Playing)
        startPlaying();
}

void PlaylistEngine::ownMusicBoxClicked(bool checkedNow)
{
    if (checkedNow)
        play();
    else if (m_state == PlayState::Playing)
        stopPlaying();
}

void PlaylistEngine::timerTick(bool ownMusicBoxChecked)
{
    ownMusicOn = ownMusicBoxChecked;
    checkEndOfTrack();
}

void PlaylistEngine::refreshHighlight()
{
    currentTrackIndex = m_currentIndex;
    m_view.refreshHighlight();
}
