#include "FeedPicking.h"

void layOutPickRails(PickRail (&railsX)[kRailsX], PickRail (&railsY)[kRailsY], float tankXMin,
                     float tankYMax, float tankYMin)
{
    for (int i = 0; i < kRailsX; ++i)
        railsX[i] = {tankXMin + static_cast<float>(i) * 0.990099f, 0.0f, -70.0f};
    const int d = static_cast<int>(tankYMax - tankYMin);
    for (int j = 0; j < kRailsY; ++j)
        railsY[j] = {0.0f, tankYMin + static_cast<float>(d) * 0.02f * static_cast<float>(j), -70.0f};
}

void sweepComb(PickRail *rails, int count, float start, bool &flag, bool alongX)
{
    float PickRail::*coordinate = alongX ? &PickRail::x : &PickRail::y;
    for (int i = 0; i < count; ++i) {
        // Rail 0's current position, which rail 0 itself has just moved when i > 0.
        const float r0 = rails[0].*coordinate;
        float &c = rails[i].*coordinate;
        if (start - 5.0f > r0)
            flag = true;
        if (start + 5.0f < r0) {
            flag = false;
            c -= 0.5f;
        } else {
            c += flag ? 0.5f : -0.5f;
        }
    }
}

void sweepCombs(FeedState &state, PickRail (&railsX)[kRailsX], PickRail (&railsY)[kRailsY],
                float tankXMin, float tankYMin)
{
    sweepComb(railsX, kRailsX, tankXMin, state.sweepRightX, true);
    sweepComb(railsY, kRailsY, tankYMin, state.sweepUpY, false);
}

void acceptDropPoint(FeedState &state, float px, float py, float tankXMin, float tankXMax,
                     float tankYMin, float tankYMax)
{
    if (!state.dropXFound && px >= tankXMin && px <= tankXMax) {
        state.dropXFound = true;
        state.dropX = px;
    }
    if (!state.dropYFound && py >= tankYMin && py <= tankYMax) {
        state.dropYFound = true;
        state.dropY = py;
    }
}

int dropAtFoundPoint(FeedState &state, bool &feedClick, FoodPellet (&pellets)[kPelletSlots])
{
    if (!(feedClick && state.dropXFound && state.dropYFound))
        return 0;
    feedClick = false;
    state.dropXFound = false;
    state.dropYFound = false;
    return dropFood(pellets, state.dropX, state.dropY);
}

void touchFish(Fish &fish)
{
    if (fish.z > -90.0f && fish.z < -60.0f && fish.z != -75.0f)
        fish.requestTurn(0, true, 4);
    fish.approachSpeed(0.4f, 0.4f);
}

void zoomFish(Fish &fish, float change)
{
    float s = fish.scale + change;
    if (!(s >= 3.0f))
        s = 3.0f;
    if (s > 9.0f)
        s = 9.0f;
    fish.scale = s;
}

void actOnPickedFish(Fish &fish, int interactionMode)
{
    switch (interactionMode) {
    case kModeTouch:
        touchFish(fish);
        break;
    case kModeZoomIn:
        zoomFish(fish, 2.0f);
        break;
    case kModeZoomOut:
        zoomFish(fish, -2.0f);
        break;
    default:
        break;
    }
}
