#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Reading Windows BMP pictures for the two texture loaders, without GL. A BMP is a
// 14-byte file header ("BM", pixel-data offset at byte 10) and a 40-byte information
// header (width at byte 4, height at 8, bits per pixel at 14, image size at 20, palette
// entries used at 32), then for 8-bit pictures a palette of (blue, green, red, unused)
// entries, then the rows, bottom row first, blue-green-red, each padded to 4 bytes.
//
// Every size and offset a header gives is checked against the bytes at hand: a picture
// that does not fit is rejected (std::nullopt), and nothing outside the given bytes is
// ever read.

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;

// Bytes in one stored row: bitsPerPixel x width rounded up to whole 32-bit words.
std::uint64_t bmpRowStride(int bitsPerPixel, std::int64_t width);

// ---- The mipmapped loader: 24-bit pictures, pure black transparent ----------------

struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width x height x (R, G, B, A), bottom row first
};

// Decodes a whole file the way the mipmapped loader reads it: the pixels start at the
// file header's offset and are the information header's image-size count of bytes,
// taken as unpadded blue-green-red triples. Rejected unless the file starts with "BM",
// holds both headers, width and height are positive, the image size is not 0, the image
// lies inside the file, and it holds at least width x height triples.
std::optional<RgbaPicture> decodeMipmapBmp(std::span<const std::uint8_t> file);

// Blue-green-red triples to red-green-blue-alpha, one pixel per whole triple; alpha is
// 0 for (0, 0, 0) and 255 for every other colour.
std::vector<std::uint8_t> bgrToRgbaBlackTransparent(std::span<const std::uint8_t> bgr);

// ---- The plain loader: 8-, 24- and 32-bit pictures, fitted to powers of two --------

struct PlainBmpLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::size_t paletteOffset = 0;  // from the start of the file; 8-bit pictures only
    std::size_t pixelOffset = 0;    // from the start of the file
};

// Where the plain loader finds a picture's parts. The file header's pixel-data offset
// is not used: for 8-bit pictures the palette follows the information header and the
// pixels follow 4 x (palette entries used) bytes later, 1024 bytes when that count is 0;
// for every other depth the pixels follow the information header. Pictures of depths
// other than 8, 24 and 32 are read as 24-bit ones. Rejected when the file is shorter
// than 15 bytes, does not start with "BM", lacks a whole information header, has a width
// or height below 1, or holds fewer pixel bytes than its rows need.
std::optional<PlainBmpLayout> parsePlainBmp(std::span<const std::uint8_t> file);

// An 8-bit picture through its palette: 24-bit blue-green-red rows, each padded to 4
// bytes, bottom row first. A palette entry that would lie outside the file gives black.
// `layout` must come from parsePlainBmp(file).
std::vector<std::uint8_t> expandPalettePicture(std::span<const std::uint8_t> file,
                                               const PlainBmpLayout &layout);

// The texture side for a picture side: the smallest power of two that is at least
// min(side, min(maxTextureSize, 512)); never below 2.
int fitTextureSide(int side, int maxTextureSize);

struct TextureFit {
    int width = 0;              // texture width, a power of two
    int height = 0;             // texture height, a power of two
    bool uploadUnchanged = false;  // the file's rows are the texture as they are
    bool fourChannels = false;  // blue-green-red-alpha (32-bit pictures), else blue-green-red
};

// How the plain loader turns a picture into a texture: a 24- or 32-bit picture whose
// sides are already the fitted sides goes up unchanged; everything else is scaled (8-bit
// pictures after expandPalettePicture).
TextureFit fitPlainTexture(const PlainBmpLayout &layout, int maxTextureSize);
