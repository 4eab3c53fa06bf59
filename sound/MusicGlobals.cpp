#include "MusicGlobals.h"

bool ownMusicOn = true;
int32_t builtInTuneRestart = 1;
int32_t currentTrackIndex = -1;
