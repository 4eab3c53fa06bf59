#pragma once

// The constant vertex tables of the fish model (values in FishModelData.cpp).
//
// Model space: x runs along the body with the nose toward -x (nose tip at x = -0.32,
// tail-fin end at x = +0.32); y is lateral; z is up. Every coordinate is multiplied by
// the fish's `scale` before use, so at the default scale 6 a fish is about 3.9 units
// long. Each part is a set of quad strips: a strip joins two vertex lines, one step per
// pair of vertices. Paired parts store only their +y side; the other side is emitted
// with y negated (the normal is emitted as stored).
//
// Skin layout (texture coordinates of every vertex). A skin is a side view stretched
// over the whole picture: the body's colours and pattern everywhere, the dorsal fin's in
// the top band, the ventral and anal fins' in the bottom band, the tail fin's in the
// right band, and a painted eye. Pictures are loaded bottom row first, so t = 0 is the
// picture's bottom row (the belly side).
//   s: 0 at the nose tip .. 0.78 at ring 9, growing with x; around the eye it runs
//      faster so the painted eye appears round on the head.
//   t: on the body and head, 0.12 at the belly line .. 0.87 at the back line at every x.
//   Dorsal fin: t 0.84 (base, inside the back) .. 0.975 (edge); s as the body below it.
//   Anal and pelvic fins: t 0.14-0.16 (base) .. 0.025 (edge).
//   Pectoral fins: t 0.11 (base) .. 0.03 (rim), s 0.06 behind the body below them, so
//      they show fin colours of the bottom band.
//   Tail fin: s 0.79 (base) .. 0.985 (forked edge), t 0.03 (lower tip) .. 0.97 (upper).
//   Eyes: the dome shows the picture's eye: centre (0.15, 0.64), radii 0.056 (s) and
//      0.080 (t), which is the painted eye (radii 0.048, 0.068) with its dark outline.

struct ModelVertex {
    float x, y, z;    // position, model units
    float nx, ny, nz; // normal of the +y side
    float s, t;       // texture coordinate
};

namespace fishmodel {

inline constexpr int kRings = 10;

// Body: 5 lines (belly, lower flank, mid flank, upper flank, back), one vertex per ring
// 0 (behind the head) .. 9 (tail base). 4 bands, each mirrored.
extern const ModelVertex body[5][kRings];
// Head: 4 lines (belly, lower flank, upper flank, back), 11 stations from the nose tip
// back to ring 0. 3 bands, each mirrored.
extern const ModelVertex head[4][11];
// Gill covers ("front lift pair"): lower and upper edge, 12 stations. Mirrored.
extern const ModelVertex frontLiftPair[2][12];
// Dorsal fin ("upper fin"): outer edge, then base, 8 stations.
extern const ModelVertex upperFin[2][8];
// Rear lobe of the anal fin ("lower fin"): outer edge, then base, 6 stations.
extern const ModelVertex lowerFin[2][6];
// Pectoral fins ("front fin pair"): outer rim, then base, 10 stations. Mirrored.
extern const ModelVertex frontFinPair[2][10];
// Front lobe of the anal fin ("rear fin"): outer edge, then base, 8 stations.
extern const ModelVertex rearFin[2][8];
// Pelvic fins ("side fin pair"): outer rim, then base, 9 stations. Mirrored.
extern const ModelVertex sideFinPair[2][9];
// Tail fin: trailing edge, then base at the tail stem, 10 stations from top to bottom.
extern const ModelVertex tail[2][10];
// Eye: upper rim, horizontal mid line (the crown of the dome), lower rim; 5 stations
// from front to back. 2 bands, each mirrored.
extern const ModelVertex eye[3][5];

// Extra height of the taller body (species 10 to 14), per ring, model units: the four
// upper body lines rise by this times `scale`; the belly line stays.
extern const float tallBodyRaise[kRings];

// Extra height of the dorsal fin on the taller body, model units (times `scale`).
inline constexpr float kTallUpperFinLift = 0.05f;

} // namespace fishmodel
