#include "Scrambler.h"

#include "AssetKey.h"

#include <cstddef>

namespace assetgen {

std::vector<uint8_t> scrambleAsset(const std::vector<uint8_t>& plain)
{
    std::vector<uint8_t> out(plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const std::size_t n = i + 1;
        const int key = varlen::kAssetKey[n % 50];
        out[i] = static_cast<uint8_t>((plain[i] - key) & 0xff);
    }
    return out;
}

} // namespace assetgen
