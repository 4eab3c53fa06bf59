#pragma once

#include <cstdint>
#include <vector>

// The store keeps every picture and sound scrambled: byte n of the file (n counted from
// 1) is lowered by kAssetKey[n % 50], modulo 256. The program's extractor adds the same
// key entry back. No header, length or checksum is added.
namespace assetgen {

std::vector<uint8_t> scrambleAsset(const std::vector<uint8_t>& plain);

} // namespace assetgen
