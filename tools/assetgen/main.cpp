// assetgen: paints every picture and renders the tune the aquarium carries, scrambles
// the pictures and the tune for the program's asset store and writes the cursors and
// icons as PNG files. The output is the same, byte for byte, on every run.
//
//   assetgen <output directory> [--preview <directory>]
//
// Output: RCAD/<id> (scrambled), cursors/<id>.png, icons/<id>.png, icons/app-<size>.png.
// --preview also writes PNG contact sheets and the unscrambled files for people to see.

#include "Background.h"
#include "Bubble.h"
#include "FishSkins.h"
#include "Music.h"
#include "Pictograms.h"
#include "Preview.h"
#include "Scrambler.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace assetgen;

namespace {

bool savePng(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "png");
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "assetgen: cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
    return false;
}

bool saveScrambled(const QString& dir, int id, const std::vector<uint8_t>& plain)
{
    const QString path = QStringLiteral("%1/RCAD/%2").arg(dir).arg(id);
    if (writeFile(path.toStdString(), scrambleAsset(plain)))
        return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--preview") == 0)) {
        std::fprintf(stderr, "usage: assetgen <output directory> [--preview <directory>]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString preview = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    for (const char* sub : {"RCAD", "cursors", "icons"}) {
        if (!QDir().mkpath(out + "/" + sub)) {
            std::fprintf(stderr, "assetgen: cannot create %s/%s\n", qPrintable(out), sub);
            return 1;
        }
    }

    Artwork art;
    for (int s = 0; s < kSpeciesCount; ++s)
        art.skins.push_back(paintSkin(s));
    art.background = std::make_unique<Canvas>(paintBackground());
    art.bubble = std::make_unique<Canvas>(paintBubble());
    art.music = renderMusic();
    art.cursors = drawCursors();
    art.icons = drawMenuIcons();
    art.appIcons = drawApplicationIcons();

    bool ok = true;
    for (int s = 0; s < kSpeciesCount; ++s)
        ok &= saveScrambled(out, 10000 + s, encodeBmp24(art.skins[s]));
    ok &= saveScrambled(out, 154, encodeBmp24(*art.background));
    ok &= saveScrambled(out, 166, encodeBmp24(*art.bubble));
    ok &= saveScrambled(out, 227, encodeWav(art.music));
    for (const CursorPicture& c : art.cursors)
        ok &= savePng(c.image, QStringLiteral("%1/cursors/%2.png").arg(out).arg(c.id));
    for (const IconPicture& i : art.icons)
        ok &= savePng(i.image, QStringLiteral("%1/icons/%2.png").arg(out, i.name));
    for (const IconPicture& i : art.appIcons)
        ok &= savePng(i.image, QStringLiteral("%1/icons/%2.png").arg(out, i.name));

    if (!preview.isEmpty()) {
        // Lettering needs a font database, hence an application object; no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        ok &= writePreviews(art, preview);
    }
    return ok ? 0 : 1;
}
