#include "BmpDecode.h"

#include <algorithm>

namespace {

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8
        | static_cast<std::uint32_t>(bytes[at + 2]) << 16
        | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::int32_t readI32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::int32_t>(readU32(bytes, at));
}

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

bool startsWithBm(std::span<const std::uint8_t> file)
{
    return file.size() >= 2 && readU16(file, 0) == 0x4D42;
}

// Information header fields, at their offsets from the start of the file.
constexpr std::size_t kWidthAt = kBmpFileHeaderSize + 4;
constexpr std::size_t kHeightAt = kBmpFileHeaderSize + 8;
constexpr std::size_t kBitsAt = kBmpFileHeaderSize + 14;
constexpr std::size_t kImageSizeAt = kBmpFileHeaderSize + 20;
constexpr std::size_t kPaletteUsedAt = kBmpFileHeaderSize + 32;
constexpr std::size_t kHeadersEnd = kBmpFileHeaderSize + kBmpInfoHeaderSize;

} // namespace

std::uint64_t bmpRowStride(int bitsPerPixel, std::int64_t width)
{
    if (bitsPerPixel <= 0 || width <= 0)
        return 0;
    return (static_cast<std::uint64_t>(bitsPerPixel) * static_cast<std::uint64_t>(width) + 31)
        / 32 * 4;
}

std::optional<RgbaPicture> decodeMipmapBmp(std::span<const std::uint8_t> file)
{
    if (file.size() < kHeadersEnd || !startsWithBm(file))
        return std::nullopt;
    const std::uint64_t pixelOffset = readU32(file, 10);
    const std::int32_t width = readI32(file, kWidthAt);
    const std::int32_t height = readI32(file, kHeightAt);
    const std::uint64_t imageSize = readU32(file, kImageSizeAt);
    if (width <= 0 || height <= 0 || imageSize == 0)
        return std::nullopt;
    if (pixelOffset > file.size() || imageSize > file.size() - pixelOffset)
        return std::nullopt;
    const std::uint64_t pixelCount = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (pixelCount > imageSize / 3)
        return std::nullopt;

    RgbaPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels = bgrToRgbaBlackTransparent(file.subspan(pixelOffset, pixelCount * 3));
    return picture;
}

std::vector<std::uint8_t> bgrToRgbaBlackTransparent(std::span<const std::uint8_t> bgr)
{
    const std::size_t count = bgr.size() / 3;
    std::vector<std::uint8_t> rgba(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t blue = bgr[3 * i];
        const std::uint8_t green = bgr[3 * i + 1];
        const std::uint8_t red = bgr[3 * i + 2];
        rgba[4 * i] = red;
        rgba[4 * i + 1] = green;
        rgba[4 * i + 2] = blue;
        rgba[4 * i + 3] = (red == 0 && green == 0 && blue == 0) ? 0 : 255;
    }
    return rgba;
}

std::optional<PlainBmpLayout> parsePlainBmp(std::span<const std::uint8_t> file)
{
    if (file.size() < 15 || !startsWithBm(file) || file.size() < kHeadersEnd)
        return std::nullopt;

    PlainBmpLayout layout;
    const std::int32_t width = readI32(file, kWidthAt);
    const std::int32_t height = readI32(file, kHeightAt);
    if (width <= 0 || height <= 0)
        return std::nullopt;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = readU16(file, kBitsAt);

    std::uint64_t pixelOffset = kHeadersEnd;
    std::uint64_t rowBytes = 0;
    if (layout.bitsPerPixel == 8) {
        const std::uint64_t paletteUsed = readU32(file, kPaletteUsedAt);
        layout.paletteOffset = kHeadersEnd;
        pixelOffset += paletteUsed == 0 ? 1024 : 4 * paletteUsed;
        rowBytes = bmpRowStride(8, width);
    } else if (layout.bitsPerPixel == 32) {
        rowBytes = static_cast<std::uint64_t>(width) * 4;
    } else {
        rowBytes = bmpRowStride(24, width);
    }
    if (pixelOffset > file.size())
        return std::nullopt;
    const std::uint64_t available = file.size() - pixelOffset;
    if (rowBytes > available || static_cast<std::uint64_t>(height) > available / rowBytes)
        return std::nullopt;
    layout.pixelOffset = pixelOffset;
    return layout;
}

std::vector<std::uint8_t> expandPalettePicture(std::span<const std::uint8_t> file,
                                               const PlainBmpLayout &layout)
{
    const std::size_t sourceStride = bmpRowStride(8, layout.width);
    const std::size_t targetStride = bmpRowStride(24, layout.width);
    const std::size_t width = static_cast<std::size_t>(std::max(layout.width, 0));
    const std::size_t height = static_cast<std::size_t>(std::max(layout.height, 0));
    if (layout.pixelOffset > file.size() || height == 0
        || (file.size() - layout.pixelOffset) / height < sourceStride)
        return {};

    std::vector<std::uint8_t> bgr(targetStride * height);
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t *source = file.data() + layout.pixelOffset + row * sourceStride;
        std::uint8_t *target = bgr.data() + row * targetStride;
        for (std::size_t x = 0; x < width; ++x) {
            const std::size_t entry = layout.paletteOffset + 4 * std::size_t{source[x]};
            if (entry + 3 <= file.size()) {
                target[3 * x] = file[entry];
                target[3 * x + 1] = file[entry + 1];
                target[3 * x + 2] = file[entry + 2];
            }
        }
    }
    return bgr;
}

int fitTextureSide(int side, int maxTextureSize)
{
    const int wanted = std::min(side, std::min(maxTextureSize, 512));
    int power = 1;
    while (power < wanted)
        power *= 2;
    return std::max(power, 2);
}

TextureFit fitPlainTexture(const PlainBmpLayout &layout, int maxTextureSize)
{
    TextureFit fit;
    fit.width = fitTextureSide(layout.width, maxTextureSize);
    fit.height = fitTextureSide(layout.height, maxTextureSize);
    fit.fourChannels = layout.bitsPerPixel == 32;
    fit.uploadUnchanged = layout.width == fit.width && layout.height == fit.height
        && (layout.bitsPerPixel == 24 || layout.bitsPerPixel == 32);
    return fit;
}
