#pragma once

#include "Fish.h"

// One of the 100 food pellet slots: a small red copy of the fish model that swims about
// in front of the plane z = -70 around the point where it was dropped. Its motion record
// is a whole Fish whose position is the pellet's offset from its base.
//
// Life of a slot: alive and visible (swimming) -> eaten (visible 0) -> free at its next
// step (alive false) -> alive again when a drop uses the slot.
struct FoodPellet {
    // Draws the motion record's randoms, then base x = rand() % 60 - 30, base y =
    // rand() % 30 - 15, base z = -70; alive.
    FoodPellet();

    Fish motion;
    float baseX = 0, baseY = 0, baseZ = 0;
    float worldX = 0, worldY = 0, worldZ = 0; // base + offset, refreshed at every step
    float visible = 1.0f;                     // 1.0 or 0.0
    bool alive = false;

    // Scene set-up: the drop set-up at the constructed base.
    void setUp();
};

inline constexpr int kPelletSlots = 100;

// base := (x, y, z), visible := 1, world := (0, 0, 0), and the motion record's box
// setSwimBounds(-50, 50, 11, -15, -80, -60). Does not touch `alive` or the offset.
void dropPellet(FoodPellet &pellet, float x, float y, float z);

// The per-pellet step: a visible pellet moves one step and refreshes its world position;
// an eaten one frees its slot.
void advancePellet(FoodPellet &pellet);

// The pellets' part of a scene step: advancePellet for every slot in order.
void stepPellets(FoodPellet (&pellets)[kPelletSlots]);

// Pellet capture for one fish, in every mode: each alive, visible pellet within 1, 1
// and 1.5 units (x, y, z) of the fish's nose is eaten: visible := 0, offset := 0.
// Returns how many were eaten.
int capturePellets(const Fish &fish, FoodPellet (&pellets)[kPelletSlots]);

// The drop of a feed click: k := 0; while k < rand() % 10 + 1 (a new draw for every
// test), the first free slot (if any) gets dropPellet(x, y - 2, -70) and becomes alive;
// k += 1. Returns the number of pellets dropped.
int dropFood(FoodPellet (&pellets)[kPelletSlots], float x, float y);
