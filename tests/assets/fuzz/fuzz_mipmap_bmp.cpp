// The mipmapped loader's reading of a BMP.

#include "BmpDecode.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::uint8_t> file(data, data + size);
    const auto picture = decodeMipmapBmp(file);
    if (!picture)
        return 0;
    // gluBuild2DMipmaps reads width x height RGBA pixels from this buffer.
    if (picture->width < 1 || picture->height < 1
        || picture->pixels.size() != std::size_t(picture->width) * std::size_t(picture->height) * 4)
        std::abort();
    for (std::size_t i = 3; i < picture->pixels.size(); i += 4)
        if (picture->pixels[i] != 0 && picture->pixels[i] != 255)
            std::abort();
    return 0;
}
