#pragma once

// The additive key of the embedded asset store. The build-time scrambler lowers byte n
// of a file (n counted from 1) by key[n % 50]; the extractor adds it back, modulo 256.
namespace varlen {

inline constexpr signed char kAssetKey[50] = {
    114, -53, 3, 99, -105, -92, 106, 33, 11, 10, 117, -75, 46, -94, 22, -53, -127, -20, 33, 91, 19, 62, 112, 95, -86, 99, 127, 84, 68, -27, 31, 4, -49, 4, 66, 46, 36, 37, 126, -59, 124, 3, -35, -70, -13, -73, 18, 75, 71, 51};

} // namespace varlen
