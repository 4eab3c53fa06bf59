#pragma once

#include "Oscillator.h"

// One fish: its animation, steering and motion state. The view keeps 25 of them for its
// whole life; every food pellet carries one as its motion record.
//
// Units: positions in world units, angles in degrees unless a name says radians, time
// in steps of 10 ms ("per frame" below means per step). Heading 0 swims toward -x, 90
// toward +z; positive pitch climbs.
//
// `advance` is the step: it animates, steers and moves the fish and never calls GL.
// `draw` (fish_gl) emits the fish as the last step left it and changes nothing of it.

class FishVertexSink;

// Axis-aligned box, world units.
struct FishBox {
    float xMax = 0, xMin = 0, yMax = 0, yMin = 0, zMax = 0, zMin = 0;
};

// The per-frame animation arrays, cleared and refilled by every frame.
struct FishAnimation {
    float frontLift[12] = {};        // vertical offset of the gill covers, per station
    float headLift[11] = {};         // vertical offset of the head, per station
    float segmentYaw[10] = {};       // yaw of each body ring, degrees
    float bodyWave[10] = {};         // lateral offset of each body ring
    float upperFinFlutter[8] = {};
    float frontPairFlutter[10] = {};
    float rearFinFlutter[8] = {};
    float sidePairFlutter[9] = {};
    float tailFlutter[10] = {};
};

// `lastBoundHit` values.
enum BoundHit : int {
    kNoBound = 0,
    kBelowXMin = 1,
    kAboveXMax = 2,
    kAboveZMax = 4,
    kAtYMax = 5,
    kAtYMin = 6,
};

inline constexpr int kFreeSwimming = 8; // the only `behaviourMode`
inline constexpr int kPelletSpecies = 25;

// Species 10 to 14 are drawn on the taller body.
inline bool isTallSpecies(int species) { return species >= 10 && species <= 14; }

class Fish {
public:
    Fish();
    virtual ~Fish();

    // ---- Fields, in record order ----
    float segmentMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; // column order
    float scale = 6.0f;                // size factor, 3..9 through zooming
    bool restPose = true;              // head ramps flat this frame
    float speed = 0.1f;                // world units per frame, 0.1..0.4
    float targetPitch = 0.0f;          // -45..45
    float targetHeading = 0.0f;        // -360..360
    float pitch = 0.0f;                // drawn tilt, follows targetPitch by 1 per frame
    bool attracted = false;            // a food pellet is within reach
    float heading = 0.0f;              // current yaw
    int headingStepCounter = 0;
    bool headingReached = false;
    bool segmentsSettled = false;
    int settledYaw[10] = {};           // per-ring yaw in whole degrees
    float rememberedTarget = 0.0f;     // targetHeading at the start of the current turn
    Oscillator bodyWaveWave;
    int restPoseCounter = 0;
    float frontLiftCoefficient = 0.002f;
    float headLiftCoefficient = 0.002f;
    Oscillator upperFinWave;
    Oscillator frontPairWave;
    Oscillator rearFinWave;
    Oscillator sidePairWave;
    Oscillator tailWave;
    float x = 0.0f, y = 0.0f, z = 0.0f; // centre of the fish
    // Direction flags, recomputed by every movement step.
    bool facesNegX = false, facesPosX = false, facesPosZ = false, facesNegZ = false;
    bool pitchUp = false, pitchDown = false;
    bool targetFacesNegX = false, targetFacesPosX = false;
    bool targetFacesPosZ = false, targetFacesNegZ = false;
    bool targetPitchUp = false, targetPitchDown = false;
    // swimBounds: xMin, xMax, yMax, yMin, zMin, zMax.
    float swimBounds[6] = {};
    int lastBoundHit = kNoBound;
    int behaviourMode = kFreeSwimming;
    int wanderTimer = 0;
    float boxLengthFactor = 0.0f, boxWidthFactor = 0.0f, boxHeightFactor = 0.0f;
    FishBox coreBox;                   // the fish's own extent
    FishBox collisionBox;              // the expanded box used for contact
    float noseX = 0, noseY = 0, noseZ = 0;
    float tailX = 0, tailY = 0, tailZ = 0;
    bool touching = false;             // overlaps another fish's box
    int species = 0;                   // species of the last step

    FishAnimation anim;                // this step's animation arrays
    // Where a frame shows the fish: its position before the last step moved it (a step
    // animates the fish, then moves it; the picture pairs the animation with the place it
    // was made at). Until a step has run, the position itself.
    float shownX = 0, shownY = 0, shownZ = 0;
    bool shownSet = false;
    float shownAtX() const { return shownSet ? shownX : x; }
    float shownAtY() const { return shownSet ? shownY : y; }
    float shownAtZ() const { return shownSet ? shownZ : z; }

    // ---- Set-up ----
    // xMin := left, xMax := right, yMax := upper + 10, yMin := lower + 5, zMin := far,
    // zMax := near; resets lastBoundHit, touching, the box factors, boxes and points.
    void setSwimBounds(float left, float right, float upper, float lower, float far, float near);

    // ---- The step's sequence (advance runs these in this order) ----
    // 1-2: species, cleared arrays, head ramps with the rest-pose update, segment yaw,
    // body wave, the five fin flutters.
    void computeAnimation(int drawSpecies);
    void computeHeadRamps();
    void computeSegmentYaw();
    void computeBodyWave();
    void computeFinFlutters();
    // 4: pitch follows its target by one degree.
    void followPitch();
    // 6: random wandering (only when free swimming, not touching, not attracted).
    void wanderStep();
    // 8: movement with the bounds pass, then the collision box.
    void movementStep();
    void boundsPass();
    void updateDirectionFlags();
    void updateCollisionBox();
    // One step: the whole sequence, recording the shown position before the movement.
    void advance(int drawSpecies);

    // ---- Steering ----
    // speed moves by `step` toward `target`, then is clamped to 0.1..0.4.
    void approachSpeed(float step, float target);
    // Kinds 0, 1, 2, 4, 5, 6, 7; ignored while a turn is in progress.
    void requestTurn(float amount, bool side, int kind);
    // Kinds 0, 3, 5, 7.
    void requestPitch(float amount, bool up, int kind);

    // ---- Geometry ----
    // segmentMatrix := rotation by angleDegrees about (ax, ay, az).
    void setSegmentRotation(float angleDegrees, float ax, float ay, float az);
    // p = segment rotation of (px, py, pz) plus its translation.
    void transformBySegment(float px, float py, float pz, float out[3]) const;
    // Emits the ten parts in order into `sink`, setting segmentMatrix as it goes.
    void emitModel(FishVertexSink &sink);

    // ---- GL (fish_gl) ----
    // Draws the fish at the current modelview origin with this step's animation arrays,
    // pitch and heading; `drawSpecies` picks the body (the pellets draw with species 25
    // and no texture). The species texture must be bound. Each vertex: the normal as
    // given (not rotated), (s, t), the segment transform of p; afterwards the current
    // normal and texture coordinate are the last vertex's. Only segmentMatrix, the
    // emission's scratch, changes.
    void draw(int drawSpecies);
};

// Receives the model's quad strips. Positions are scaled and displaced but not yet
// passed through the segment matrix, which the sink applies (Fish::transformBySegment).
class FishVertexSink {
public:
    virtual ~FishVertexSink() = default;
    virtual void beginPart(int part) {}   // 1..10 in emission order
    virtual void beginStrip() = 0;
    virtual void vertex(Fish &fish, float x, float y, float z, float nx, float ny, float nz,
                        float s, float t) = 0;
    virtual void endStrip() = 0;
};

// Model parts in emission order.
enum FishPart : int {
    kPartBody = 1,
    kPartHead,
    kPartFrontLiftPair,
    kPartUpperFin,
    kPartLowerFin,
    kPartFrontFinPair,
    kPartRearFin,
    kPartSideFinPair,
    kPartTail,
    kPartEyes,
};

// Standard rotation by angleRadians about the axis (ax, ay, az), normalised first; a
// zero axis gives the identity. Stored column by column, no translation.
void axisAngleMatrix(float out[16], float angleRadians, float ax, float ay, float az);

// Angle between two lines in a plane, degrees 0..90. Each line is given by its change
// along the plane's first and second coordinate.
float lineAngle(float first1, float second1, float first2, float second2);
