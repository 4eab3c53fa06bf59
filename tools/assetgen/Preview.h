#pragma once

#include "Canvas.h"
#include "Music.h"
#include "Pictograms.h"

#include <QString>

#include <memory>
#include <vector>

// Contact sheets of the generated art for people to look at (not part of the program).
namespace assetgen {

struct Artwork {
    std::vector<Canvas> skins;
    std::unique_ptr<Canvas> background;
    std::unique_ptr<Canvas> bubble;
    StereoPcm music;
    std::vector<CursorPicture> cursors;
    std::vector<IconPicture> icons;
    std::vector<IconPicture> appIcons;
};

// Writes skins.png, skins-worn.png (each skin on a rough fish outline), background.png, bubble.png, pictograms.png and contact-sheet.png,
// and the unscrambled BMP and WAV files under plain/. Needs a QGuiApplication (text).
bool writePreviews(const Artwork& art, const QString& directory);

} // namespace assetgen
