#include "FoodPellet.h"

#include "Random.h"

#include <cmath>

FoodPellet::FoodPellet()
{
    baseX = static_cast<float>(varlen::randomValue() % 60 - 30);
    baseY = static_cast<float>(varlen::randomValue() % 30 - 15);
    baseZ = -70.0f;
    alive = true;
}

void FoodPellet::setUp() { dropPellet(*this, baseX, baseY, baseZ); }

void dropPellet(FoodPellet &pellet, float x, float y, float z)
{
    pellet.baseX = x;
    pellet.baseY = y;
    pellet.baseZ = z;
    pellet.visible = 1.0f;
    pellet.worldX = pellet.worldY = pellet.worldZ = 0.0f;
    pellet.motion.setSwimBounds(-50.0f, 50.0f, 11.0f, -15.0f, -80.0f, -60.0f);
}

void advancePellet(FoodPellet &pellet)
{
    if (!pellet.alive)
        return;
    if (pellet.visible != 0.0f) {
        pellet.motion.advance(kPelletSpecies);
        pellet.worldX = pellet.baseX + pellet.motion.x;
        pellet.worldY = pellet.baseY + pellet.motion.y;
        pellet.worldZ = pellet.baseZ + pellet.motion.z;
    } else {
        pellet.alive = false;
    }
}

void stepPellets(FoodPellet (&pellets)[kPelletSlots])
{
    for (FoodPellet &p : pellets)
        advancePellet(p);
}

int capturePellets(const Fish &fish, FoodPellet (&pellets)[kPelletSlots])
{
    int eaten = 0;
    for (FoodPellet &p : pellets) {
        if (!p.alive)
            continue;
        const float dx = fish.noseX - p.worldX;
        const float dy = fish.noseY - p.worldY;
        const float dz = fish.noseZ - p.worldZ;
        if (std::fabs(dx) < 1.0f && std::fabs(dy) < 1.0f && std::fabs(dz) < 1.5f && p.visible > 0.0f) {
            p.visible = 0.0f;
            p.motion.x = p.motion.y = p.motion.z = 0.0f;
            ++eaten;
        }
    }
    return eaten;
}

int dropFood(FoodPellet (&pellets)[kPelletSlots], float x, float y)
{
    int dropped = 0;
    for (int k = 0; k < varlen::randomValue() % 10 + 1; ++k) {
        for (FoodPellet &p : pellets) {
            if (!p.alive) {
                dropPellet(p, x, y - 2.0f, -70.0f);
                p.alive = true;
                ++dropped;
                break;
            }
        }
    }
    return dropped;
}
