#include "BubbleEmitter.h"
#include "EnvironmentPasses.h"

#include "AssetStore.h"
#include "RunGuards.h"
#include "TextureLoader.h"

#include <string>

void BubbleEmitter::loadSprite(const std::string &directory)
{
    const std::string base = "Particle1";
    const ExitDeferred filesExist; // a stop signal waits until both files are gone
    extractAsset(166, directory, base);
    loadTexture(directory + base + ".bmp", &texture);
    deleteAssetFile(directory + base + ".ad");
    deleteAssetFile(directory + base + ".bmp");
}

void setUpBubbleEmitters(BubbleEmitter (&emitters)[3], EmitterOrigin (&positions)[3],
                         float tankYMin, float tankZBack, int qipaoNum,
                         const std::string &assetDirectory)
{
    for (int i = 0; i < 3; ++i) {
        positions[i] = bubbleEmitterOrigin(i, tankYMin, tankZBack);
        if (emitters[i].create(BubbleEmitter::kParticleCount))
            emitters[i].loadSprite(assetDirectory);
        for (int step = 0; step < BubbleEmitter::kParticleCount; ++step) {
            emitters[i].step(bubbleDrawCount(qipaoNum));
            emitters[i].draw();
        }
    }
}

