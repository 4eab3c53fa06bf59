#pragma once

#include <cstdint>

class ProfileFile;

// The loaded "Aquarium Settings" and "Fish Number" values, read by the scene every
// frame. Fields keep the order of the keys in the file; colours are 0x00BBGGRR.
struct AquariumSettings {
    int32_t showWater = 0;           // "Show Water": always 0
    int32_t showLight = 0;           // "Show Light": always 0
    int32_t showTerra = 1;           // "Show Terra": always 1
    int32_t frontGuding = 1;         // "FRONT GUDING"
    int32_t frontColor = 16777215;   // "FRONTCOLOR"
    int32_t frontManJianBian = 0;    // "FRONT MANJIANBIAN"
    int32_t frontColor1 = 16777215;  // "FRONT COLOR1"
    int32_t frontColor2 = 16777215;  // "FRONT COLOR2"
    int32_t frontAutoJianBian = 0;   // "FRONT AUTOJIANBIAN"
    int32_t checkLockFore = 0;       // "CHECK LOCKFORE"
    float lockForeRot = 0;           // "LOCKFORE ROT"
    int32_t backGuding = 1;          // "BACK GUDING": always 1
    int32_t backColor = 0;           // "BACKCOLOR": always 0 (black)
    int32_t backManJianBian = 0;     // "BACK MANJIANBIAN"
    int32_t backColor1 = 65280;      // "BACK COLOR1": top of the gradient
    int32_t backColor2 = 0;          // "BACK COLOR2": bottom of the gradient
    int32_t backAutoJianBian = 0;    // "BACK AUTOJIANBIAN": always 0
    int32_t checkLockBack = 0;       // "CHECK LOCKBACK"
    float lockBackRot = 0;           // "LOCKBACK ROT"
    int32_t yinLiang = 32767;        // "YINLIANG": 0 full volume .. 65535 silence
    int32_t qiPaoNum = 100;          // "QIPAONUM": bubbles hidden per emitter, 0..110
    int32_t background = 0;          // "BACKGROUND": 0 shows the picture surface
    int32_t speciesCounts[25] = {};  // "Fish0".."Fish24": fish per species, each <= 25
    int32_t fogNongDu = 25;          // "FOGNONGDU": 0..25
    int32_t lightQiangDu = 0;        // "LIGHTQIANGDU": light dimming 0..100
    int32_t checkViews = 1;          // "CHECK VIEWS"
    int32_t viewsLeftRight = 0;      // "VIEWSLEFTRIGHT"
    int32_t viewsNearFar = 0;        // "VIEWSNEARFAR"
};

// The one settings record of the run.
extern AquariumSettings settings;

// Section names of the settings file.
inline constexpr const char *kAquariumSection = "Aquarium Settings";
inline constexpr const char *kFishSection = "Fish Number";
inline constexpr const char *kCustomImagesSection = "Custom Images";
inline constexpr const char *kCustomMusicSection = "Custom Settings";

inline constexpr int kSpeciesCount = 25;
inline constexpr int kMaxFishPerSpecies = 25;

// Fills `settings` from "Aquarium Settings" and "Fish Number" of the settings file and
// completes the file, once, at scene set-up before anything reads the record. The
// "Aquarium Settings" keys in their order, then "Fish0".."Fish24". A missing (or empty)
// key gets its default, written to the file. "Show Water", "Show Light",
// "BACK AUTOJIANBIAN" (0), "Show Terra", "BACK GUDING" (1) and "BACKCOLOR" (0) always
// take their fixed value, which is written. "FOGNONGDU" outside 0..25 and "LIGHTQIANGDU"
// outside 0..100 take their defaults (25, 0), which are written.
// A missing "FishN" becomes randomValue() % 2 and is written; a count above 25 is 25 in
// memory while the file keeps its number. Everything else loads as atoi makes of it.
// The file is read once and written once, only when something changed; when it cannot
// be written the record still gets every value.
void loadSettings();

// The same rules on a file already in memory and a given record; the caller saves.
void loadSettings(ProfileFile &file, AquariumSettings &record);

// "Fish0".."Fish24" read with atoi; a missing key gives 0 and nothing is written.
void readFishCounts(int counts[kSpeciesCount]);

// Writes "Fish0".."Fish24" in decimal, then copies the counts into settings.speciesCounts,
// each above 25 as 25.
void saveFishCounts(const int counts[kSpeciesCount]);
