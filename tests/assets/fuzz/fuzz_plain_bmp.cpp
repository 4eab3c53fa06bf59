// The plain texture loader's reading of a BMP: the layout, the fit, the palette
// expansion, and every byte the upload or the scaling would then read.

#include "BmpDecode.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Exactly the file's bytes, so a read past them is caught.
    const std::vector<std::uint8_t> file(data, data + size);
    const auto layout = parsePlainBmp(file);
    if (!layout)
        return 0;
    const TextureFit fit = fitPlainTexture(*layout, 16384);
    if (fit.width < 2 || fit.height < 2 || fit.width > 512 || fit.height > 512)
        std::abort();

    // What GL reads from the file: rows of the picture's stride from the pixel offset.
    const int bits = layout->bitsPerPixel == 8 || layout->bitsPerPixel == 32 ? layout->bitsPerPixel : 24;
    const std::uint64_t rows = bmpRowStride(bits, layout->width) * std::uint64_t(layout->height);
    unsigned sum = 0;
    for (std::uint64_t i = 0; i < rows; i += 61)
        sum += file.at(layout->pixelOffset + i);
    sum += file.at(layout->pixelOffset + rows - 1);

    if (layout->bitsPerPixel == 8) {
        const auto bgr = expandPalettePicture(file, *layout);
        if (bgr.size() != bmpRowStride(24, layout->width) * std::uint64_t(layout->height))
            std::abort();
    }
    return static_cast<int>(sum & 0);
}
