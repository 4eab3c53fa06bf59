#include "AquariumScene.h"

#include "FishBehaviour.h"
#include "Settings.h"

void stepScene(AquariumScene &scene, const AquariumSettings &current)
{
    stepHelpText(scene.helpTextVisible, scene.helpTextFrames);
    if (current.backAutoJianBian != 0) {
        if (!scene.backdropPhaseStarted) {
            scene.backdropPhase = current.lockBackRot;
            scene.backdropPhaseStarted = true;
        }
        scene.backdropPhase = nextBackdropPhase(scene.backdropPhase, current.checkLockBack != 0);
    }
    const int mode = scene.pointer.interactionMode;
    stepFish(scene.fish, current.speciesCounts, scene.pellets, mode);
    stepBackgroundSurface(scene.surface, scene.tankXMin, scene.tankXMax, current);
    stepBubbles(scene.bubbleEmitters, current.qiPaoNum);
    stepPellets(scene.pellets);
    if (mode == kModeFeed)
        sweepCombs(scene.feedState, scene.pickRailsX, scene.pickRailsY, scene.tankXMin,
                   scene.tankYMin);
}
