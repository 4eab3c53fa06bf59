#include "ViewRules.h"

#include <QDir>

#include <cmath>

void PointerState::leftButtonDown(int x, int y)
{
    mouseX = x;
    mouseY = y;
    pickPending = true;
    if (interactionMode == kCommandFeedFish)
        feedClick = true;
}

void PointerState::leftButtonUp()
{
    if (interactionMode == kCommandFeedFish || interactionMode == kCommandZoomInFish ||
        interactionMode == kCommandZoomOutFish)
        pickPending = false;
}

void PointerState::mouseMove(int x, int y)
{
    mouseX = x;
    mouseY = y;
}

int cursorIdFor(int interactionMode, bool buttonHeld)
{
    switch (interactionMode) {
    case kCommandTouchFish: return buttonHeld ? 159 : 158;
    case kCommandFeedFish: return buttonHeld ? 164 : 163;
    case kCommandZoomInFish: return buttonHeld ? 177 : 167;
    case kCommandZoomOutFish: return buttonHeld ? 178 : 169;
    default: return 0;
    }
}

bool stepHelpText(bool &visible, int &frames)
{
    if (visible)
        ++frames;
    if (frames > 100) {
        visible = false;
        frames = 0;
    }
    return visible;
}

Rgb colourFromColorRef(int colorRef)
{
    const unsigned v = static_cast<unsigned>(colorRef);
    return {float(v & 0xff) / 255.0f, float((v >> 8) & 0xff) / 255.0f,
            float((v >> 16) & 0xff) / 255.0f};
}

std::array<Rgb, 4> backdropCycleColours(float phase)
{
    const float p = phase / 30.0f, q = phase * 0.04f, r = phase / 17.0f; // radians
    const Rgb bottom{1 - std::cos(p), 1 - std::sin(q), 1 - std::cos(r)};
    return {bottom, bottom, Rgb{std::sin(p), std::cos(q), std::sin(r)},
            Rgb{std::sin(p), 1 - std::cos(q), std::sin(r)}};
}

float nextBackdropPhase(float phase, bool locked)
{
    if (locked)
        return phase;
    phase += 0.2f;
    if (phase >= 10000.0f)
        phase = 0;
    return phase;
}

bool temporaryDirectoryFound()
{
    const QString tmp = QDir::tempPath();
    return !tmp.isEmpty() && QDir(tmp).exists();
}
