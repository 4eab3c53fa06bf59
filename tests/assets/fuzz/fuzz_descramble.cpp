// The descrambler: scrambled bytes through the files of the asset store come back as
// the original, byte for byte.

#include "AssetStore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// A private directory for the run, removed at exit (each input's files are deleted).
std::string workDirectory()
{
    static char path[] = "/tmp/varlen-fuzz-XXXXXX";
    static const bool made = [] {
        if (::mkdtemp(path) == nullptr)
            std::abort();
        std::atexit([] { ::rmdir(path); });
        return true;
    }();
    return std::string(path) + '/';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::uint8_t> original(data, data + size);
    std::vector<std::uint8_t> scrambled = original;
    scrambleBytes(scrambled);

    const std::string directory = workDirectory();
    const std::string base = size % 2 ? "Music" : "Asset";
    std::FILE *out = std::fopen((directory + base + ".ad").c_str(), "wb");
    if (out == nullptr)
        std::abort();
    std::fwrite(scrambled.data(), 1, scrambled.size(), out);
    std::fclose(out);

    descrambleAsset(directory, base);

    const std::string result = directory + base + descrambledSuffix(base);
    std::FILE *in = std::fopen(result.c_str(), "rb");
    if (in == nullptr)
        std::abort();
    std::vector<std::uint8_t> back(size + 1);
    const std::size_t got = std::fread(back.data(), 1, back.size(), in);
    std::fclose(in);
    back.resize(got);
    if (back != original)
        std::abort();
    deleteAssetFile(directory + base + ".ad");
    deleteAssetFile(result);
    return 0;
}
