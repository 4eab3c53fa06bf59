#pragma once

#include <cstdint>

// The built-in looping tune as the view's tick sees it.
class TuneControl {
public:
    virtual ~TuneControl() = default;
    // Extracts the tune and starts it looping endlessly.
    virtual void play() = 0;
    // Silences the tune; harmless when it is not playing.
    virtual void stop() = 0;
};

// The view's music hook, run once per tick after the frame is drawn:
// - own music on: mark the tune for a restart and stop it (on every such tick);
// - else, when a restart is marked: start the tune and clear the mark.
// So the tune starts on the first tick after own music turns off.
void runMusicHook(TuneControl &tune);

// Linear output volume 0.0..1.0 of the built-in tune for the "YINLIANG" setting, which
// counts attenuation: 0 is full volume, 65535 silence, 32767 about half (32768/65535).
// Values outside 0..65535 are taken as the nearer end.
double builtInTuneVolume(int32_t yinLiang);
