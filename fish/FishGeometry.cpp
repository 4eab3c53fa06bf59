// Assembles the fish model for one frame: the constant tables scaled by `scale`,
// displaced by the animation arrays and turned ring by ring through segmentMatrix.
// The sink turns the strips into GL calls (fish_gl) or records them (tests).

#include "Fish.h"
#include "FishModel.h"

#include <cstring>

namespace {



struct Emitter {
    Fish &fish;
    FishVertexSink &sink;
    float scale;

    // Emits v scaled, with `lateral` as its final y and the offsets dx, dz added.
    void put(const ModelVertex &v, float lateral, float dz)
    {
        sink.vertex(fish, v.x * scale, lateral, v.z * scale + dz, v.nx, v.ny, v.nz, v.s, v.t);
    }
};

} // namespace

void Fish::emitModel(FishVertexSink &sink)
{
    using namespace fishmodel;
    Emitter e{*this, sink, scale};
    const float s = scale;
    const bool tall = isTallSpecies(species);
    const float *yaw = anim.segmentYaw;
    const float *wave = anim.bodyWave;
    const float sides[2] = {1.0f, -1.0f};

    // 1. Body: every ring turns by its own yaw and shifts by the swimming wave. Each of
    // the eight strips visits every ring: the ten rotations are worked out once.
    float ringMatrix[kRings][16];
    for (int k = 0; k < kRings; ++k) {
        setSegmentRotation(yaw[k], 0, 0, 1);
        std::memcpy(ringMatrix[k], segmentMatrix, sizeof segmentMatrix);
    }
    sink.beginPart(kPartBody);
    for (int band = 0; band < 4; ++band) {
        for (float side : sides) {
            sink.beginStrip();
            for (int k = 0; k < kRings; ++k) {
                std::memcpy(segmentMatrix, ringMatrix[k], sizeof segmentMatrix);
                for (int line = band; line <= band + 1; ++line) {
                    const ModelVertex &v = body[line][k];
                    const float raise = (tall && line >= 1) ? tallBodyRaise[k] * s : 0.0f;
                    e.put(v, side * v.y * s + wave[k], raise);
                }
            }
            sink.endStrip();
        }
    }

    // 2. Head, on ring 0, lifted toward the nose.
    sink.beginPart(kPartHead);
    setSegmentRotation(yaw[0], 0, 0, 1);
    for (int band = 0; band < 3; ++band) {
        for (float side : sides) {
            sink.beginStrip();
            for (int k = 0; k < 11; ++k)
                for (int line = band; line <= band + 1; ++line) {
                    const ModelVertex &v = head[line][k];
                    e.put(v, side * v.y * s, anim.headLift[k]);
                }
            sink.endStrip();
        }
    }

    // 3. Gill covers, on ring 0, lifted with the head.
    sink.beginPart(kPartFrontLiftPair);
    setSegmentRotation(yaw[0], 0, 0, 1);
    for (float side : sides) {
        sink.beginStrip();
        for (int k = 0; k < 12; ++k)
            for (int line = 0; line < 2; ++line) {
                const ModelVertex &v = frontLiftPair[line][k];
                e.put(v, side * v.y * s, anim.frontLift[k]);
            }
        sink.endStrip();
    }

    // 4. Dorsal fin, on ring 6; its edge flutters sideways.
    sink.beginPart(kPartUpperFin);
    setSegmentRotation(yaw[6], 0, 0, 1);
    {
        const float lift = tall ? kTallUpperFinLift * s : 0.0f;
        sink.beginStrip();
        for (int k = 0; k < 8; ++k) {
            e.put(upperFin[0][k], upperFin[0][k].y * s + anim.upperFinFlutter[k], lift);
            e.put(upperFin[1][k], upperFin[1][k].y * s, lift);
        }
        sink.endStrip();
    }

    // 5. Rear lobe of the anal fin: ring 7, its last step on ring 8.
    sink.beginPart(kPartLowerFin);
    sink.beginStrip();
    for (int k = 0; k < 6; ++k) {
        const int ring = k < 5 ? 7 : 8;
        setSegmentRotation(yaw[ring], 0, 0, 1);
        for (int line = 0; line < 2; ++line) {
            const ModelVertex &v = lowerFin[line][k];
            e.put(v, v.y * s + wave[ring], 0.0f);
        }
    }
    sink.endStrip();

    // 6. Pectoral fins, on ring 1; the rims beat in and out together.
    sink.beginPart(kPartFrontFinPair);
    setSegmentRotation(yaw[1], 0, 0, 1);
    for (float side : sides) {
        sink.beginStrip();
        for (int k = 0; k < 10; ++k) {
            const ModelVertex &rim = frontFinPair[0][k];
            const ModelVertex &base = frontFinPair[1][k];
            e.put(rim, side * (rim.y * s - anim.frontPairFlutter[k]), 0.0f);
            e.put(base, side * base.y * s, 0.0f);
        }
        sink.endStrip();
    }

    // 7. Front lobe of the anal fin: ring 6 at its ends, between rings 6 and 7 inside.
    sink.beginPart(kPartRearFin);
    sink.beginStrip();
    for (int k = 0; k < 8; ++k) {
        const bool between = k >= 2 && k <= 5;
        const float stepYaw = between ? (yaw[6] + yaw[7]) / 2.0f : yaw[6];
        const float stepWave = between ? (wave[6] + wave[7]) / 2.0f : wave[6];
        setSegmentRotation(stepYaw, 0, 0, 1);
        e.put(rearFin[0][k], rearFin[0][k].y * s + stepWave + anim.rearFinFlutter[k], 0.0f);
        e.put(rearFin[1][k], rearFin[1][k].y * s + stepWave, 0.0f);
    }
    sink.endStrip();

    // 8. Pelvic fins: keep the rear fin's last matrix (ring 6).
    sink.beginPart(kPartSideFinPair);
    for (float side : sides) {
        sink.beginStrip();
        for (int k = 0; k < 9; ++k) {
            const ModelVertex &rim = sideFinPair[0][k];
            const ModelVertex &base = sideFinPair[1][k];
            e.put(rim, side * (rim.y * s - anim.sidePairFlutter[k]), 0.0f);
            e.put(base, side * base.y * s, 0.0f);
        }
        sink.endStrip();
    }

    // 9. Tail fin: ring 9, its top ray and two lowest rays on ring 8.
    sink.beginPart(kPartTail);
    sink.beginStrip();
    for (int k = 0; k < 10; ++k) {
        const int ring = (k == 0 || k >= 8) ? 8 : 9;
        setSegmentRotation(yaw[ring], 0, 0, 1);
        e.put(tail[0][k], tail[0][k].y * s + wave[ring] + anim.tailFlutter[k], 0.0f);
        e.put(tail[1][k], tail[1][k].y * s + wave[ring], 0.0f);
    }
    sink.endStrip();

    // 10. Eyes, on ring 0.
    sink.beginPart(kPartEyes);
    setSegmentRotation(yaw[0], 0, 0, 1);
    for (int band = 0; band < 2; ++band) {
        for (float side : sides) {
            sink.beginStrip();
            for (int k = 0; k < 5; ++k)
                for (int line = band; line <= band + 1; ++line) {
                    const ModelVertex &v = eye[line][k];
                    e.put(v, side * v.y * s, 0.0f);
                }
            sink.endStrip();
        }
    }
}
