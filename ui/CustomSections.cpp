#include "CustomSections.h"

#include <algorithm>

namespace {

const char *flagText(bool on) { return on ? "1" : "0"; }

int storedCount(const std::string &text, int limit)
{
    return std::clamp(profileAtoi(text), 0, limit);
}

} // namespace

PlayMode applyLoadedModes(ModeBoxes &boxes)
{
    if (!boxes.random && !boxes.repeatAll && !boxes.repeatOne)
        boxes.repeatOne = true;
    PlayMode mode = PlayMode::RepeatOne;
    if (boxes.random)
        mode = PlayMode::Random;
    else if (boxes.repeatAll)
        mode = PlayMode::RepeatAll;
    boxes = boxesFor(mode);
    return mode;
}

ModeBoxes boxesFor(PlayMode mode)
{
    ModeBoxes boxes;
    boxes.random = mode == PlayMode::Random;
    boxes.repeatAll = mode == PlayMode::RepeatAll;
    boxes.repeatOne = mode == PlayMode::RepeatOne;
    return boxes;
}

CustomImagesRecord readCustomImages(const SectionReader &read, int maxPaths)
{
    CustomImagesRecord record;
    record.modes.random = profileFlag(read("RandomImage"));
    record.modes.repeatAll = profileFlag(read("CycImage"));
    record.modes.repeatOne = profileFlag(read("RepeatImage"));
    record.ownImage = profileFlag(read("OwnImage"));
    record.imageTime = read("ImageTime");
    if (record.imageTime.empty())
        record.imageTime = "5";
    const int count = storedCount(read("ImageSum"), std::max(maxPaths, 0));
    for (int i = 0; i < count; ++i)
        record.paths.push_back(read("ImageList" + std::to_string(i)));
    return record;
}

void writeCustomImages(const SectionWriter &write, const CustomImagesRecord &record)
{
    write("RandomImage", flagText(record.modes.random));
    write("CycImage", flagText(record.modes.repeatAll));
    write("RepeatImage", flagText(record.modes.repeatOne));
    write("OwnImage", flagText(record.ownImage));
    write("ImageTime", record.imageTime);
    write("ImageSum", std::to_string(record.paths.size()));
    for (size_t i = 0; i < record.paths.size(); ++i)
        write("ImageList" + std::to_string(i), record.paths[i]);
}

CustomMusicRecord readCustomMusic(const SectionReader &read)
{
    CustomMusicRecord record;
    record.modes.random = profileFlag(read("RandomMusic"));
    record.modes.repeatAll = profileFlag(read("CycMusic"));
    record.modes.repeatOne = profileFlag(read("RepeatMusic"));
    record.ownMusic = profileFlag(read("OwnMusic"));
    record.musicSum = profileAtoi(read("MusicSum"));
    const int count = storedCount(read("MusicSum"), kMaxStoredMusicRows);
    for (int i = 0; i < count; ++i)
        record.paths.push_back(read("MusicList" + std::to_string(i)));
    return record;
}

void writeCustomMusic(const SectionWriter &write, const CustomMusicRecord &record)
{
    write("RandomMusic", flagText(record.modes.random));
    write("CycMusic", flagText(record.modes.repeatAll));
    write("RepeatMusic", flagText(record.modes.repeatOne));
    write("OwnMusic", flagText(record.ownMusic));
    write("MusicSum", std::to_string(record.paths.size()));
    for (size_t i = 0; i < record.paths.size(); ++i)
        write("MusicList" + std::to_string(i), record.paths[i]);
}

namespace {

const char kImagesSection[] = "Custom Images";
const char kMusicSection[] = "Custom Settings";

SectionReader sectionReader(const ProfileFile &file, const char *section)
{
    return [&file, section](const std::string &key) { return file.value(section, key); };
}

bool saveSection(const char *section, const std::function<void(const SectionWriter &)> &writeAll)
{
    ProfileFile file(settingsFilePath());
    if (!file.isReadable())
        return false;
    writeAll([&file, section](const std::string &key, const std::string &value) {
        if (!file.setValue(section, key, value))
            file.setValue(section, key, std::string());
    });
    return file.save();
}

} // namespace

CustomImagesRecord loadCustomImages(int maxPaths)
{
    const ProfileFile file(settingsFilePath());
    return readCustomImages(sectionReader(file, kImagesSection), maxPaths);
}

CustomMusicRecord loadCustomMusic()
{
    const ProfileFile file(settingsFilePath());
    return readCustomMusic(sectionReader(file, kMusicSection));
}

bool saveCustomImages(const CustomImagesRecord &record)
{
    return saveSection(kImagesSection, [&record](const SectionWriter &write) { writeCustomImages(write, record); });
}

bool saveCustomMusic(const CustomMusicRecord &record)
{
    return saveSection(kMusicSection, [&record](const SectionWriter &write) { writeCustomMusic(write, record); });
}
