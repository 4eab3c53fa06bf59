#include "Fish.h"

#include "Random.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr float kDegToRad = 0.0174533f;

// Body ring ramp of the swimming wave: rings 0..4 stay straight.
constexpr float kBodyWaveRamp = 1.0f / 70.0f;

bool facesNegativeX(float h)
{
    return (h >= 0 && h <= 90) || (h >= 270 && h <= 360) || (h >= -90 && h <= 0)
        || (h >= -360 && h <= -270);
}

bool facesPositiveZ(float h) { return (h >= 0 && h <= 180) || (h >= -360 && h <= -180); }

float clampf(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Kinds 0, 4 and the wander step only turn a fish inside this band, away from the
// band's middle.
bool inTurningBand(float z) { return z > -90.0f && z < -60.0f && z != -75.0f; }

} // namespace

Fish::Fish()
{
    targetPitch = static_cast<float>(varlen::randomValue() % 45);
    targetHeading = (varlen::randomValue() % 2 == 0) ? 0.0f : 180.0f;
    restPoseCounter = varlen::randomValue() % 15;
    wanderTimer = varlen::randomValue() % 200;

    bodyWaveWave.wavenumber = wave::kPi12;
    bodyWaveWave.amplitude = 0.5f;
    bodyWaveWave.phaseStep = wave::kPi4;
    upperFinWave = {0, 0, wave::kPi5, 0.01f, wave::kPi8};
    frontPairWave = {0, 0, wave::kPi24, 0.05f, wave::kPi8};
    rearFinWave = {0, 0, wave::kPi4, 0.01f, wave::kPi8};
    sidePairWave = {0, 0, wave::kPi4, 0.01f, wave::kPi6};
    tailWave = {0, 0, wave::kPi4, 0.03f, wave::kPi24};
}

Fish::~Fish() = default;

void Fish::setSwimBounds(float left, float right, float upper, float lower, float far, float near)
{
    swimBounds[0] = left;
    swimBounds[1] = right;
    swimBounds[2] = upper + 10.0f;
    swimBounds[3] = lower + 5.0f;
    swimBounds[4] = far;
    swimBounds[5] = near;
    lastBoundHit = kNoBound;
    touching = false;
    boxLengthFactor = 0.643830f;
    boxWidthFactor = 1.0f;
    boxHeightFactor = 0.181513f;
    const float hx = 0.321915f, hy = 0.090757f, hz = 0.5f;
    coreBox = {hx, -hx, hy, -hy, hz, -hz};
    collisionBox = coreBox;
    noseX = -hx;
    noseY = 0;
    noseZ = 0;
    tailX = hx;
    tailY = 0;
    tailZ = 0;
}

// ---------------------------------------------------------------- animation

void Fish::computeAnimation(int drawSpecies)
{
    species = drawSpecies;
    anim = FishAnimation{};
    computeHeadRamps();
    computeSegmentYaw();
    computeBodyWave();
    computeFinFlutters();
}

void Fish::computeHeadRamps()
{
    for (int i = 0; i < 12; ++i)
        anim.frontLift[i] = restPose ? 0.0f : frontLiftCoefficient * scale * static_cast<float>(12 - i);
    for (int i = 0; i < 10; ++i)
        anim.headLift[i] = restPose ? 0.0f : headLiftCoefficient * scale * static_cast<float>(11 - i);
    anim.headLift[10] = 0.0f;

    restPose = !attracted;
    if (restPoseCounter++ > 100) {
        restPose = !restPose;
        restPoseCounter = varlen::randomValue() % 50;
    }
}

void Fish::computeSegmentYaw()
{
    constexpr int n = 10;
    if (std::fabs(rememberedTarget - targetHeading) > 0.01f) {
        headingReached = false;
        segmentsSettled = false;
        rememberedTarget = targetHeading;
    }

    float stepSize;
    if (attracted) {
        stepSize = 10.0f;
    } else {
        const float magnitude = std::fabs(targetHeading);
        stepSize = magnitude >= 10.0f ? 10.0f : (magnitude >= 5.0f ? 3.0f : 1.0f);
    }
    // A turn at a side wall is made in this one frame, whatever the phase of the step
    // counter: heading and every ring take the target and the body is in line.
    const bool sideWallHit = lastBoundHit == kBelowXMin || lastBoundHit == kAboveXMax;
    if (sideWallHit) {
        if (headingStepCounter++ > 1)
            headingStepCounter = 0;
        heading = targetHeading;
        headingReached = true;
        segmentsSettled = true;
        for (int i = 0; i < n; ++i) {
            anim.segmentYaw[i] = targetHeading;
            settledYaw[i] = static_cast<int>(targetHeading);
        }
        return;
    }

    if (headingStepCounter++ > 1) {
        if (!headingReached) {
            if (heading >= targetHeading) {
                heading -= stepSize;
                if (heading < targetHeading)
                    heading = targetHeading;
            } else {
                heading += stepSize;
                if (heading > targetHeading)
                    heading = targetHeading;
            }
            if (static_cast<int>(heading - targetHeading) == 0)
                headingReached = true;
        }
        headingStepCounter = 0;
    }

    if (!headingReached) {
        const float h = std::fabs(heading - rememberedTarget) / static_cast<float>(n - 1);
        for (int i = 0; i < n; ++i) {
            if (heading < rememberedTarget) {
                anim.segmentYaw[i] = heading - static_cast<float>(i) * h;
                settledYaw[i] = static_cast<int>(anim.segmentYaw[i]);
            } else if (heading > rememberedTarget) {
                anim.segmentYaw[i] = heading + static_cast<float>(i) * h;
                settledYaw[i] = static_cast<int>(anim.segmentYaw[i]);
            }
        }
    } else {
        if (!segmentsSettled) {
            const int rate = attracted ? 10 : 2;
            const int target = static_cast<int>(targetHeading);
            bool moved = false;
            for (int i = 0; i < n; ++i) {
                int &yaw = settledYaw[i];
                if (yaw < target) {
                    yaw = yaw + rate > target ? target : yaw + rate;
                    anim.segmentYaw[i] = static_cast<float>(yaw);
                    moved = true;
                } else if (yaw > target) {
                    yaw = yaw - rate < target ? target : yaw - rate;
                    anim.segmentYaw[i] = static_cast<float>(yaw);
                    moved = true;
                }
            }
            if (!moved)
                segmentsSettled = true;
        }
        for (int i = 0; i < n; ++i)
            anim.segmentYaw[i] = static_cast<float>(settledYaw[i]);
    }
}

void Fish::computeBodyWave()
{
    bodyWaveWave.advance(1);
    for (int i = 0; i < 10; ++i) {
        if (i < 5) {
            anim.bodyWave[i] = 0.0f;
            continue;
        }
        const float ramp = static_cast<float>(i - 5) * kBodyWaveRamp;
        anim.bodyWave[i] = ramp
            * std::sin(static_cast<float>(i) * bodyWaveWave.wavenumber + bodyWaveWave.phase)
            * scale * bodyWaveWave.amplitude;
    }
}

void Fish::computeFinFlutters()
{
    upperFinWave.step(anim.upperFinFlutter, 8, 1, scale);
    frontPairWave.step(anim.frontPairFlutter, 10, 5, 1.0f);
    rearFinWave.step(anim.rearFinFlutter, 8, 1, 1.0f);
    sidePairWave.step(anim.sidePairFlutter, 9, 1, scale);
    tailWave.step(anim.tailFlutter, 10, 1, 1.0f);
}

void Fish::followPitch()
{
    if (pitch < targetPitch)
        pitch += 1.0f;
    if (pitch > targetPitch)
        pitch -= 1.0f;
}

void Fish::advance(int drawSpecies)
{
    computeAnimation(drawSpecies);
    followPitch();
    wanderStep();
    shownX = x;
    shownY = y;
    shownZ = z;
    shownSet = true;
    movementStep();
    updateCollisionBox();
}

// ---------------------------------------------------------------- steering

void Fish::approachSpeed(float step, float target)
{
    if (speed < target)
        speed += step;
    else if (speed > target)
        speed -= step;
    speed = clampf(speed, 0.1f, 0.4f);
}

void Fish::requestTurn(float amount, bool side, int kind)
{
    if (std::fabs(heading - targetHeading) > 0.1f)
        return;

    // Turns by d degrees, away from or toward -x depending on `side`.
    auto bySide = [&](float d) {
        if (side)
            targetHeading += facesNegX ? -d : d;
        else
            targetHeading += facesNegX ? d : -d;
    };

    switch (kind) {
    case 0: {
        (void)varlen::randomValue();
        const float d = static_cast<float>(varlen::randomValue() % 170);
        targetHeading += targetHeading > 180.0f ? -d : d;
        break;
    }
    case 1:
        targetHeading += targetHeading > 180.0f ? -180.0f : 180.0f;
        break;
    case 2:
        bySide(static_cast<float>(varlen::randomValue() % 180));
        break;
    case 4:
        if (inTurningBand(z)) {
            if (targetHeading > 180.0f)
                targetHeading -= 90.0f;
            else if (targetHeading > 0.0f)
                targetHeading += 90.0f;
            else if (targetHeading >= -180.0f)
                targetHeading -= 90.0f;
            else
                targetHeading += 90.0f;
        }
        break;
    case 5:
        bySide(static_cast<float>(varlen::randomValue() % 10 + 10));
        break;
    case 6:
        if (side)
            targetHeading += facesNegX ? -180.0f : 180.0f;
        else
            targetHeading += facesNegX ? 180.0f : -180.0f;
        break;
    case 7: {
        // |amount| truncated; non-finite or huge amounts turn by nothing.
        const float magnitude = std::fabs(amount);
        bySide(magnitude < 100000.0f ? static_cast<float>(static_cast<int>(magnitude)) : 0.0f);
        break;
    }
    default:
        break;
    }
    targetHeading = clampf(targetHeading, -360.0f, 360.0f);
}

void Fish::requestPitch(float amount, bool up, int kind)
{
    switch (kind) {
    case 0: {
        const float d = static_cast<float>(varlen::randomValue() % 15 + 15);
        targetPitch += targetPitch > 0.0f ? -d : d;
        break;
    }
    case 3:
        targetPitch = -targetPitch;
        break;
    case 5:
        targetPitch += up ? 1.0f : -1.0f;
        break;
    case 7:
        if (std::isnan(amount) || targetPitch + amount > 90.0f || targetPitch - amount < -90.0f)
            return;
        targetPitch += up ? amount : -amount;
        break;
    default:
        return;
    }
    targetPitch = clampf(targetPitch, -45.0f, 45.0f);
}

void Fish::wanderStep()
{
    if (behaviourMode != kFreeSwimming || touching || attracted)
        return;
    if (!(wanderTimer++ > 200))
        return;
    wanderTimer = varlen::randomValue() % 100;
    const int r = varlen::randomValue() % 4;
    approachSpeed(0.05f, static_cast<float>(r + 1) * 0.1f);
    if (std::fabs(heading - targetHeading) < 0.01f) {
        if (inTurningBand(z))
            requestTurn(0, false, 0);
        requestPitch(0, false, 0);
    }
}

// ---------------------------------------------------------------- motion

void Fish::updateDirectionFlags()
{
    facesNegX = facesNegativeX(heading);
    facesPosX = !facesNegX;
    facesPosZ = facesPositiveZ(heading);
    facesNegZ = !facesPosZ;
    pitchUp = pitch > 0.0f;
    pitchDown = pitch < 0.0f;
    targetFacesNegX = facesNegativeX(targetHeading);
    targetFacesPosX = !targetFacesNegX;
    targetFacesPosZ = facesPositiveZ(targetHeading);
    targetFacesNegZ = !targetFacesPosZ;
    targetPitchUp = targetPitch > 0.0f;
    targetPitchDown = targetPitch < 0.0f;
}

void Fish::movementStep()
{
    if (heading > 360.0f)
        heading = 180.0f;
    if (heading < -360.0f)
        heading = -180.0f;
    updateDirectionFlags();

    const bool sideWallHit = lastBoundHit == kBelowXMin || lastBoundHit == kAboveXMax;
    if (std::fabs(heading - targetHeading) > 15.0f && sideWallHit)
        return;

    // The bounds pass turns a fish about only while its target still faces the wall.
    // One whose target already points away but whose heading is still coming round
    // (slowly, when the target is a small angle) would swim on through the wall, so a
    // fish past a side wall or the back margin goes no further that way.
    const bool pastLeft = x < swimBounds[0];
    const bool pastRight = x > swimBounds[1];
    const bool pastBack = z < swimBounds[4] + 2.0f;

    const float h = heading * kDegToRad;
    const float v = targetPitch * kDegToRad;
    if (facesNegX) {
        if (lastBoundHit != kBelowXMin && !pastLeft)
            x -= std::fabs(std::cos(h)) * speed;
    } else if (lastBoundHit != kAboveXMax && !pastRight) {
        x += std::fabs(std::cos(h)) * speed;
    }
    if (facesPosZ) {
        if (lastBoundHit != kAboveZMax)
            z += std::fabs(std::sin(h)) * speed;
    } else if (!pastBack) {
        z -= std::fabs(std::sin(h)) * speed;
    }
    y += std::sin(v) * speed;

    boundsPass();
}

void Fish::boundsPass()
{
    const float xMin = swimBounds[0], xMax = swimBounds[1];
    const float yMax = swimBounds[2], yMin = swimBounds[3];
    const float zMin = swimBounds[4], zMax = swimBounds[5];

    lastBoundHit = kNoBound;
    if (x < xMin + 10.0f || x > xMax - 10.0f)
        approachSpeed(0.01f, 0.1f);
    if (x < xMin && targetFacesNegX) {
        requestTurn(0, false, 1);
        x += 0.1f;
        lastBoundHit = kBelowXMin;
    }
    if (x > xMax && targetFacesPosX) {
        requestTurn(0, false, 1);
        x -= 0.1f;
        lastBoundHit = kAboveXMax;
    }
    if (z < zMin + 2.0f) {
        approachSpeed(0.1f, 0.1f);
        if (targetFacesNegZ) {
            requestTurn(0, false, 2);
            z = zMin + 2.0f;
        }
    }
    // A fixed band near the viewer, whatever the bounds: only the pellets' motion
    // records, whose offsets start at z = 0, come this far.
    if (z > -20.0f) {
        if (z < -8.0f)
            approachSpeed(0.1f, 0.1f);
        if (z < -8.0f && targetFacesNegZ)
            requestTurn(0, false, 2);
        if (z < -9.0f)
            z = -9.0f;
    }
    if (z > zMax - 5.0f)
        approachSpeed(0.01f, 0.1f);
    if (z > zMax && targetFacesPosZ) {
        requestTurn(0, true, 2);
        lastBoundHit = kAboveZMax;
    }
    if (y >= yMax) {
        requestPitch(0, false, 3);
        y = yMax;
        lastBoundHit = kAtYMax;
        approachSpeed(0.1f, 0.1f);
    }
    if (y <= yMin) {
        requestPitch(0, true, 3);
        y = yMin;
        lastBoundHit = kAtYMin;
        approachSpeed(0.1f, 0.1f);
    }
}

void Fish::updateCollisionBox()
{
    const float L = boxLengthFactor * scale / 2.0f;
    const float H = boxHeightFactor * scale;
    const float W = boxWidthFactor * scale;
    const float p = targetPitch * kDegToRad;
    const float t = targetHeading * kDegToRad;

    const float hx = L * std::fabs(std::cos(t) * std::cos(p));
    const float hy = L * std::fabs(std::sin(p));
    const float hz = L * std::fabs(std::sin(t));
    const float oy = std::fabs(std::cos(p)) * H / 2.0f;
    const float oz = std::fabs(std::cos(t)) * W / 2.0f;

    noseX = facesNegX ? x - hx : x + hx;
    noseY = pitchUp ? y + hy : y - hy;
    noseZ = facesNegZ ? z - hz : z + hz;
    tailX = facesNegX ? x + hx : x - hx;
    tailY = pitchUp ? y - hy : y + hy;
    tailZ = facesNegZ ? z + hz : z - hz;

    const float ey = hy > oy ? hy : oy;
    const float ez = hz > oz ? hz : oz;
    coreBox = {x + hx, x - hx, y + ey, y - ey, z + ez, z - ez};
    collisionBox = {coreBox.xMax + L, coreBox.xMin - L, coreBox.yMax + H / 4.0f,
                    coreBox.yMin - H / 4.0f, coreBox.zMax + W / 4.0f, coreBox.zMin - W / 4.0f};
}

// ---------------------------------------------------------------- geometry helpers

void axisAngleMatrix(float out[16], float angleRadians, float ax, float ay, float az)
{
    const float length = std::sqrt(ax * ax + ay * ay + az * az);
    for (int i = 0; i < 16; ++i)
        out[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    if (!(length > 0.0f) || !std::isfinite(length))
        return;
    const float x = ax / length, y = ay / length, z = az / length;
    const float cs = std::cos(angleRadians), sn = std::sin(angleRadians), t = 1.0f - cs;
    // out[column * 4 + row]
    out[0] = cs + t * x * x;     // R00
    out[1] = t * x * y + sn * z; // R10
    out[2] = t * x * z - sn * y; // R20
    out[4] = t * x * y - sn * z; // R01
    out[5] = cs + t * y * y;     // R11
    out[6] = t * y * z + sn * x; // R21
    out[8] = t * x * z + sn * y; // R02
    out[9] = t * y * z - sn * x; // R12
    out[10] = cs + t * z * z;    // R22
}

void Fish::setSegmentRotation(float angleDegrees, float ax, float ay, float az)
{
    axisAngleMatrix(segmentMatrix, angleDegrees * 3.14159265f / 180.0f, ax, ay, az);
}

void Fish::transformBySegment(float px, float py, float pz, float out[3]) const
{
    const float *m = segmentMatrix;
    out[0] = m[0] * px + m[4] * py + m[8] * pz + m[12];
    out[1] = m[1] * px + m[5] * py + m[9] * pz + m[13];
    out[2] = m[2] * px + m[6] * py + m[10] * pz + m[14];
}

float lineAngle(float first1, float second1, float first2, float second2)
{
    const float m1 = std::fabs(first1) <= 0.0001f ? second1 * 10000.0f : second1 / first1;
    const float m2 = std::fabs(first2) <= 0.0001f ? second2 * 10000.0f : second2 / first2;
    const float denominator = 1.0f + m1 * m2;
    const float ratio = std::fabs(denominator) <= 0.0001f ? (m1 - m2) * 10000.0f
                                                          : (m1 - m2) / denominator;
    return std::atan(std::fabs(ratio)) * 57.29578f;
}
