// The settings file parser and loader: any bytes load, the completed file reads back
// with the same values, and loading it again changes nothing.

#include "ProfileFile.h"
#include "Random.h"
#include "Settings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

const char *const kKeys[] = {
    "Show Water", "Show Light", "Show Terra", "FRONT GUDING", "FRONTCOLOR", "FRONT MANJIANBIAN",
    "FRONT COLOR1", "FRONT COLOR2", "FRONT AUTOJIANBIAN", "CHECK LOCKFORE", "LOCKFORE ROT",
    "BACK GUDING", "BACKCOLOR", "BACK MANJIANBIAN", "BACK COLOR1", "BACK COLOR2",
    "BACK AUTOJIANBIAN", "CHECK LOCKBACK", "LOCKBACK ROT", "YINLIANG", "QIPAONUM", "BACKGROUND",
    "FOGNONGDU", "LIGHTQIANGDU", "CHECK VIEWS", "VIEWSLEFTRIGHT", "VIEWSNEARFAR"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    varlen::setRandomSource([] { return 1; });
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    ProfileFile file = ProfileFile::fromText(text);
    AquariumSettings first;
    loadSettings(file, first);

    ProfileFile again = ProfileFile::fromText(file.text());
    for (const char *key : kKeys)
        if (again.value(kAquariumSection, key) != file.value(kAquariumSection, key))
            std::abort();
    AquariumSettings second;
    loadSettings(again, second);
    if (again.isModified() || std::memcmp(&first, &second, sizeof first) != 0)
        std::abort();

    // Reading and writing arbitrary names and values never breaks the file either.
    const std::string name(text.substr(0, std::min<std::size_t>(size, 24)));
    if (again.setValue(name, name, name)) {
        const ProfileFile third = ProfileFile::fromText(again.text());
        if (third.value(name, name) != again.value(name, name))
            std::abort();
    }
    return 0;
}
