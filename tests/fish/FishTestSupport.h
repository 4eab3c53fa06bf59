#pragma once

#include "Fish.h"
#include "ScriptedRandom.h"

// A fish in the tank's box, level, facing -x with no turn in progress, at (x, y, z),
// that will make no wander decision for a while.
// Made before any test runs, so copying it draws no random value from a test's script.
inline const Fish kPrototypeFish{};

inline Fish calmFish(float x = 0, float y = 0, float z = -70, float heading = 0)
{
    Fish f = kPrototypeFish;
    f.restPoseCounter = 0;
    f.setSwimBounds(-50, 50, 11, -15, -80, -60);
    f.x = x;
    f.y = y;
    f.z = z;
    f.heading = f.targetHeading = f.rememberedTarget = heading;
    f.headingReached = true;
    f.segmentsSettled = true;
    for (int &yaw : f.settledYaw)
        yaw = static_cast<int>(heading);
    f.targetPitch = 0;
    f.pitch = 0;
    f.wanderTimer = 0;
    f.updateDirectionFlags();
    f.updateCollisionBox();
    return f;
}
