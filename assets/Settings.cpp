#include "Settings.h"

#include "ProfileFile.h"
#include "Random.h"

#include <algorithm>
#include <string>

AquariumSettings settings;

namespace {

// What loading does with a key's value once it has one.
enum class Rule {
    AsRead,   // keep it
    Always,   // replace it by the fixed text, in memory and in the file
    InRange,  // outside low..high it is treated as missing
};

struct SettingKey {
    const char *name;
    const char *defaultText;  // written when missing; atoi of it is the default value
    Rule rule;
    const char *fixedText;    // Rule::Always
    int low, high;            // Rule::InRange
    int32_t AquariumSettings::*intField;
    float AquariumSettings::*floatField;
};

constexpr SettingKey asRead(const char *name, const char *defaultText, int32_t AquariumSettings::*field)
{
    return {name, defaultText, Rule::AsRead, nullptr, 0, 0, field, nullptr};
}

constexpr SettingKey asReadFloat(const char *name, const char *defaultText, float AquariumSettings::*field)
{
    return {name, defaultText, Rule::AsRead, nullptr, 0, 0, nullptr, field};
}

constexpr SettingKey always(const char *name, const char *defaultText, const char *fixedText,
                            int32_t AquariumSettings::*field)
{
    return {name, defaultText, Rule::Always, fixedText, 0, 0, field, nullptr};
}

constexpr SettingKey inRange(const char *name, const char *defaultText, int low, int high,
                             int32_t AquariumSettings::*field)
{
    return {name, defaultText, Rule::InRange, nullptr, low, high, field, nullptr};
}

using S = AquariumSettings;

// "Aquarium Settings" in the order of loading. ("Fish Number" follows them; in the record
// the counts sit between "BACKGROUND" and "FOGNONGDU".)
constexpr SettingKey kAquariumKeys[] = {
    always("Show Water", "1", "0", &S::showWater),
    always("Show Light", "1", "0", &S::showLight),
    always("Show Terra", "1", "1", &S::showTerra),
    asRead("FRONT GUDING", "1", &S::frontGuding),
    asRead("FRONTCOLOR", "16777215", &S::frontColor),
    asRead("FRONT MANJIANBIAN", "0", &S::frontManJianBian),
    asRead("FRONT COLOR1", "16777215", &S::frontColor1),
    asRead("FRONT COLOR2", "16777215", &S::frontColor2),
    asRead("FRONT AUTOJIANBIAN", "0", &S::frontAutoJianBian),
    asRead("CHECK LOCKFORE", "0", &S::checkLockFore),
    asReadFloat("LOCKFORE ROT", "0", &S::lockForeRot),
    always("BACK GUDING", "0", "1", &S::backGuding),
    always("BACKCOLOR", "0", "0", &S::backColor),
    asRead("BACK MANJIANBIAN", "0", &S::backManJianBian),
    asRead("BACK COLOR1", "65280", &S::backColor1),
    asRead("BACK COLOR2", "0", &S::backColor2),
    always("BACK AUTOJIANBIAN", "1", "0", &S::backAutoJianBian),
    asRead("CHECK LOCKBACK", "0", &S::checkLockBack),
    asReadFloat("LOCKBACK ROT", "0", &S::lockBackRot),
    asRead("YINLIANG", "32767.5", &S::yinLiang),
    asRead("QIPAONUM", "100", &S::qiPaoNum),
    asRead("BACKGROUND", "0", &S::background),
    inRange("FOGNONGDU", "25", 0, 25, &S::fogNongDu),
    inRange("LIGHTQIANGDU", "0", 0, 100, &S::lightQiangDu),
    asRead("CHECK VIEWS", "1", &S::checkViews),
    asRead("VIEWSLEFTRIGHT", "0", &S::viewsLeftRight),
    asRead("VIEWSNEARFAR", "0", &S::viewsNearFar),
};

std::string fishKey(int species) { return "Fish" + std::to_string(species); }

void store(const SettingKey &key, AquariumSettings &record, int value)
{
    if (key.intField != nullptr)
        record.*key.intField = value;
    else
        record.*key.floatField = static_cast<float>(value);
}

void loadKey(const SettingKey &key, ProfileFile &file, AquariumSettings &record)
{
    int value = 0;
    if (file.value(kAquariumSection, key.name).empty()) {
        file.setValue(kAquariumSection, key.name, key.defaultText);
        value = profileAtoi(key.defaultText);
    } else {
        value = file.intValue(kAquariumSection, key.name);
    }

    switch (key.rule) {
    case Rule::AsRead:
        break;
    case Rule::Always:
        file.setValue(kAquariumSection, key.name, key.fixedText);
        value = profileAtoi(key.fixedText);
        break;
    case Rule::InRange:
        if (value < key.low || value > key.high) {
            file.setValue(kAquariumSection, key.name, key.defaultText);
            value = profileAtoi(key.defaultText);
        }
        break;
    }
    store(key, record, value);
}

void loadFishCount(int species, ProfileFile &file, AquariumSettings &record)
{
    const std::string key = fishKey(species);
    int count = 0;
    if (file.value(kFishSection, key).empty()) {
        count = varlen::randomValue() % 2;
        file.setValue(kFishSection, key, std::to_string(count));
    } else {
        count = file.intValue(kFishSection, key);
    }
    record.speciesCounts[species] = std::min(count, kMaxFishPerSpecies);
}

} // namespace

void loadSettings(ProfileFile &file, AquariumSettings &record)
{
    for (const SettingKey &key : kAquariumKeys)
        loadKey(key, file, record);
    for (int species = 0; species < kSpeciesCount; ++species)
        loadFishCount(species, file, record);
}

void loadSettings()
{
    ProfileFile file(settingsFilePath());
    loadSettings(file, settings);
    file.save();
}

void readFishCounts(int counts[kSpeciesCount])
{
    const ProfileFile file(settingsFilePath());
    for (int species = 0; species < kSpeciesCount; ++species)
        counts[species] = file.intValue(kFishSection, fishKey(species));
}

void saveFishCounts(const int counts[kSpeciesCount])
{
    ProfileFile file(settingsFilePath());
    for (int species = 0; species < kSpeciesCount; ++species)
        file.setValue(kFishSection, fishKey(species), std::to_string(counts[species]));
    file.save();
    for (int species = 0; species < kSpeciesCount; ++species)
        settings.speciesCounts[species] = std::min(counts[species], kMaxFishPerSpecies);
}
