#pragma once

#include "PlayMode.h"
#include "ProfileFile.h"

#include <functional>
#include <string>
#include <vector>

// What the custom music and custom background dialogs keep in the settings file
// ("Custom Settings" and "Custom Images"), as plain records, with the rules that turn
// stored text into box states and back. The dialogs pass the settings file's string
// reader and writer; tests pass tables.

// Reads one key of the section; a missing key reads as the empty string.
using SectionReader = std::function<std::string(const std::string &key)>;
// Writes one key of the section.
using SectionWriter = std::function<void(const std::string &key, const std::string &value)>;

// The three play-mode boxes, which act as one radio group once applied.
struct ModeBoxes {
    bool random = false;
    bool repeatAll = false;
    bool repeatOne = true;
};

// A stored boolean is on only when its value reads as exactly 1 (C atoi rules:
// "1", "01" and "1x" are on; "2", "-1", "" and "yes" are off).
inline bool profileFlag(const std::string &text) { return profileAtoi(text) == 1; }

// The mode applied after loading: when no box is checked "Repeat One" is checked;
// then the first checked of Random, Repeat All, Repeat One wins and the boxes are
// left with that one alone checked.
PlayMode applyLoadedModes(ModeBoxes &boxes);

// The boxes that show `mode` alone.
ModeBoxes boxesFor(PlayMode mode);

// ---- "Custom Images" --------------------------------------------------------------

struct CustomImagesRecord {
    ModeBoxes modes;               // as stored (before applyLoadedModes)
    bool ownImage = false;         // "OwnImage"
    std::string imageTime = "5";   // "ImageTime", the interval box's text as typed
    std::vector<std::string> paths; // "ImageList0".."ImageList<ImageSum-1>"
};

// Reads the section. "ImageTime" that is empty or missing gives "5". "ImageSum"
// paths are read in order (missing ones as empty paths), but never more than
// `maxPaths`: the list cannot take more, and a hand-edited huge count must not
// make start-up read for ever.
CustomImagesRecord readCustomImages(const SectionReader &read, int maxPaths);

// Writes "RandomImage", "CycImage", "RepeatImage", "OwnImage", "ImageTime",
// "ImageSum" and "ImageList<i>" for every path, in that order. Higher "ImageList"
// keys already in the file are left alone.
void writeCustomImages(const SectionWriter &write, const CustomImagesRecord &record);

// ---- "Custom Settings" ------------------------------------------------------------

// Stored playlists longer than this are cut when read (only a hand-edited "MusicSum"
// can ask for more).
inline constexpr int kMaxStoredMusicRows = 4096;

struct CustomMusicRecord {
    ModeBoxes modes;                // as stored (before applyLoadedModes)
    bool ownMusic = false;          // "OwnMusic", the "On/Off" box
    int musicSum = 0;               // "MusicSum" as read (negative counts as 0 rows)
    std::vector<std::string> paths; // one per row; missing keys give empty rows
};

CustomMusicRecord readCustomMusic(const SectionReader &read);

// Writes "RandomMusic", "CycMusic", "RepeatMusic", "OwnMusic", "MusicSum" and
// "MusicList<i>" for every path, in that order; higher keys are left alone.
void writeCustomMusic(const SectionWriter &write, const CustomMusicRecord &record);

// The interval box's text as whole seconds (the box takes digits only; text that is
// no number counts as 0, a number beyond the 32-bit range as the largest one).
inline int intervalSeconds(const std::string &text) { return profileAtoi(text); }

// ---- the settings file ---------------------------------------------------------------

// Read the section from the settings file (one load of the file for all keys).
CustomImagesRecord loadCustomImages(int maxPaths);
CustomMusicRecord loadCustomMusic();

// Write the section into the settings file and save it in one atomic replacement.
// False when the file could not be written (it is then left as it was); a path that
// cannot be stored on one line of the file (it holds a line break) is written empty.
bool saveCustomImages(const CustomImagesRecord &record);
bool saveCustomMusic(const CustomMusicRecord &record);
