#include "MusicHook.h"

#include "MusicGlobals.h"

#include <algorithm>

void runMusicHook(TuneControl &tune)
{
    if (ownMusicOn) {
        builtInTuneRestart = 1;
        tune.stop();
        return;
    }
    if (builtInTuneRestart) {
        tune.play();
        builtInTuneRestart = 0;
    }
}

double builtInTuneVolume(int32_t yinLiang)
{
    const int32_t attenuation = std::clamp<int32_t>(yinLiang, 0, 0xFFFF);
    return double(0xFFFF - attenuation) / double(0xFFFF);
}
