#include "FishBehaviour.h"

#include <cmath>

int pelletPositionAngle(float x, float y)
{
    if (x == 0.0f && y == 0.0f)
        return 0;
    if (std::fabs(x) < 0.0001f)
        return y < 0.0f ? 270 : 90;
    if (std::fabs(y) < 0.0001f)
        return x > 0.0f ? 0 : 180;
    const double a = std::atan(std::fabs(static_cast<double>(y) / x)) * 57.29578;
    const int whole = static_cast<int>(a);
    return (x > 0.0f && y > 0.0f) ? whole : 90 - whole;
}

void foodPass(Fish &fish, const FoodPellet (&pellets)[kPelletSlots], int interactionMode)
{
    if (interactionMode != kModeFeed)
        return;
    fish.attracted = false;
    for (const FoodPellet &p : pellets) {
        if (!p.alive)
            continue;
        const float px = p.worldX, py = p.worldY, pz = p.worldZ;
        if (std::fabs(fish.noseX - px) < 10.0f && std::fabs(fish.noseY - py) < 10.0f) {
            fish.attracted = true;
            fish.approachSpeed(0.1f, 0.2f);
            const float g = lineAngle(fish.noseX - fish.x, fish.noseZ - fish.z, px - fish.x, pz - fish.z);
            if (g >= 1.0f) {
                const bool ahead = (fish.facesNegX && fish.noseX > px) || (fish.facesPosX && fish.noseX < px);
                const bool behind = (fish.facesNegX && fish.noseX < px) || (fish.facesPosX && fish.noseX > px);
                if (ahead)
                    fish.requestTurn(g, fish.noseZ > pz, 7);
                if (behind)
                    fish.requestTurn(180.0f - g, true, 7);
            } else {
                const float e = static_cast<float>(pelletPositionAngle(px, py));
                fish.requestPitch(e, fish.noseY <= py, 7);
            }
        }
        if (std::fabs(fish.noseX - px) < 3.0f && std::fabs(fish.noseY - py) < 3.0f)
            fish.approachSpeed(0.1f, 0.1f);
    }
}

namespace {

bool disjoint(const FishBox &a, const FishBox &b)
{
    return b.xMax < a.xMin || a.xMax < b.xMin || a.yMin > b.yMax || a.yMax < b.yMin
        || a.zMin > b.zMax || a.zMax < b.zMin;
}

} // namespace

void contactPass(Fish (&fish)[kFishRecords], int i, int liveCount)
{
    if (i < 0 || i >= liveCount || liveCount > kFishRecords)
        return;
    Fish &a = fish[i];
    a.touching = false;  // also when no other fish is live to clear it below
    for (int j = 0; j < liveCount; ++j) {
        if (j == i)
            continue;
        Fish &b = fish[j];
        a.touching = false;
        if (disjoint(a.collisionBox, b.collisionBox))
            continue;

        a.touching = true;
        b.touching = true;
        const float angleXY = lineAngle(a.noseX - a.x, a.noseY - a.y, b.noseX - b.x, b.noseY - b.y);
        const float angleXZ = lineAngle(a.noseX - a.x, a.noseZ - a.z, b.noseX - b.x, b.noseZ - b.z);

        // Part vertically, always.
        if (a.y > b.y) {
            a.requestPitch(0, true, 5);
            b.requestPitch(0, false, 5);
        } else {
            a.requestPitch(0, false, 5);
            b.requestPitch(0, true, 5);
        }

        if (angleXY > 50.0f || angleXZ > 50.0f) {
            // Crossing at an angle: each sidesteps.
            if (a.z > b.z) {
                a.requestTurn(0, true, 5);
                b.requestTurn(0, false, 5);
            } else {
                a.requestTurn(0, false, 5);
                b.requestTurn(0, true, 5);
            }
        } else if (a.targetFacesNegX != b.targetFacesNegX) {
            // Head-on or parting: the smaller one (fish j on a tie) turns about.
            Fish &smaller = a.scale < b.scale ? a : b;
            smaller.requestTurn(0, true, 6);
        } else {
            // Same way along x: the leader speeds up, the follower falls back.
            const bool aBehind = (a.targetFacesNegX && a.x > b.x) || (a.targetFacesPosX && a.x < b.x);
            if (aBehind) {
                b.approachSpeed(0.1f, a.speed + 0.1f);
                a.approachSpeed(0.1f, b.speed - 0.1f);
            } else {
                a.approachSpeed(0.1f, b.speed + 0.1f);
                b.approachSpeed(0.1f, a.speed - 0.1f);
            }
        }
    }
}

void proximityPass(Fish (&fish)[kFishRecords], const float positions[kFishRecords][3], int liveCount)
{
    if (liveCount > kFishRecords)
        liveCount = kFishRecords;
    for (int a = 0; a < liveCount; ++a)
        for (int j = a + 1; j < liveCount; ++j) {
            const float *pa = positions[a], *pj = positions[j];
            if (std::fabs(pa[0] - pj[0]) < 5.0f && std::fabs(pa[1] - pj[1]) < 5.0f
                && std::fabs(pa[2] - pj[2]) < 5.0f)
                fish[a].requestPitch(0, pa[1] > pj[1], 5);
        }
}

void runFishFrame(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
                  FoodPellet (&pellets)[kPelletSlots], int interactionMode, const DrawOneFish &drawOne)
{
    const int live = liveFishCount(counts);
    float positions[kFishRecords][3] = {};
    for (int i = 0; i < live; ++i) {
        Fish &f = fish[i];
        drawOne(f, i, speciesOfRecord(counts, i));
        foodPass(f, pellets, interactionMode);
        capturePellets(f, pellets);
        contactPass(fish, i, live);
        positions[i][0] = f.x;
        positions[i][1] = f.y;
        positions[i][2] = f.z;
    }
    proximityPass(fish, positions, live);
}

void stepFish(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
              FoodPellet (&pellets)[kPelletSlots], int interactionMode)
{
    runFishFrame(fish, counts, pellets, interactionMode,
                 [](Fish &f, int, int species) { f.advance(species); });
}
