#pragma once

#include "AssetKey.h"

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <vector>

// Reading the generated assets back the way the program's extractor does: the bytes of
// ":/RCAD/<id>" with key entry n % 50 added to byte n (n from 1).
namespace arttest {

inline std::vector<uint8_t> addKey(const std::vector<uint8_t>& scrambled)
{
    std::vector<uint8_t> out(scrambled.size());
    for (size_t i = 0; i < scrambled.size(); ++i)
        out[i] = static_cast<uint8_t>(scrambled[i] + varlen::kAssetKey[(i + 1) % 50]);
    return out;
}

inline std::vector<uint8_t> storedBytes(int id)
{
    QFile file(QStringLiteral(":/RCAD/%1").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

inline std::vector<uint8_t> storedAsset(int id) { return addKey(storedBytes(id)); }

inline uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

} // namespace arttest
