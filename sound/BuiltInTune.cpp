#include "BuiltInTune.h"

#include "RunGuards.h"
#include "Settings.h"

#include <QFile>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>

namespace {

const std::string kBaseName = "Music";

// A copy of the extracted tune, in the same private asset directory, for the sound effect
// to read from, so that the asset files can be deleted at once. Null when the tune file
// cannot be read.
std::unique_ptr<QTemporaryFile> copyOf(const std::string &directory, const std::string &path)
{
    QFile source(QString::fromStdString(path));
    if (!source.open(QIODevice::ReadOnly))
        return nullptr;
    auto copy = std::make_unique<QTemporaryFile>(QString::fromStdString(directory)
                                                 + QStringLiteral("tune-XXXXXX.wav"));
    if (!copy->open())
        return nullptr;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 16);
        if (chunk.isEmpty() || copy->write(chunk) != chunk.size())
            return nullptr;
    }
    copy->close();
    trackRunFile(copy->fileName().toStdString()); // gone on every way out
    return copy;
}

} // namespace

BuiltInTune::BuiltInTune(QObject *parent) : BuiltInTune(embeddedAssets(), parent) {}

BuiltInTune::BuiltInTune(AssetStore store, QObject *parent) : QObject(parent), m_store(std::move(store)) {}

BuiltInTune::~BuiltInTune() { stop(); }

void BuiltInTune::play()
{
    stop();

    const std::string directory = m_store.directory();
    if (directory.empty())
        return;  // no private place: no tune, and nothing touched elsewhere
    // Other copies of the program extract the same files: take turns. A stop signal
    // waits until the files are gone and the copy is registered for deletion.
    const ScopedFileLock assetTurn(kAssetFilesLock);
    const ExitDeferred filesExist;
    m_store.extract(kAssetId, directory, kBaseName);
    const std::string scrambledPath = directory + kBaseName + ".ad";
    const std::string wavePath = directory + kBaseName + ".wav";

    m_copy = copyOf(directory, wavePath);
    if (m_copy) {
        m_effect = new QSoundEffect(this);
        connect(m_effect, &QSoundEffect::statusChanged, this, &BuiltInTune::onStatusChanged);
        m_effect->setSource(QUrl::fromLocalFile(m_copy->fileName()));
        m_effect->setLoopCount(QSoundEffect::Infinite);
        // One volume for every channel.
        m_effect->setVolume(float(builtInTuneVolume(settings.yinLiang)));
        m_effect->play();
        onStatusChanged();
    }

    m_store.remove(scrambledPath);
    m_store.remove(wavePath);
}

void BuiltInTune::stop()
{
    if (!m_effect) {
        releaseCopy();
        return;
    }
    m_effect->stop();
    // The sound may still be loading on Qt's sample thread: let the event loop delete it.
    disconnect(m_effect, nullptr, this, nullptr);
    m_effect->deleteLater();
    m_effect = nullptr;
    releaseCopy();
}

bool BuiltInTune::isPlaying() const
{
    return m_effect && m_effect->isPlaying() && m_effect->status() != QSoundEffect::Error;
}

bool BuiltInTune::isLoaded() const { return m_effect && m_effect->status() == QSoundEffect::Ready; }

double BuiltInTune::volume() const { return m_effect ? double(m_effect->volume()) : 0.0; }

void BuiltInTune::onStatusChanged()
{
    if (!m_effect || !m_copy)
        return;
    const QSoundEffect::Status status = m_effect->status();
    if (status == QSoundEffect::Ready || status == QSoundEffect::Error) {
        releaseCopy();
        emit loadFinished();
    }
}

void BuiltInTune::releaseCopy()
{
    if (m_copy)
        untrackRunFile(m_copy->fileName().toStdString());
    m_copy.reset();
}
