#pragma once

#include <array>

// The eight entries of the aquarium's right-button menu, in menu order. Each label is
// drawn unchanged, two leading blanks included.
struct PopupMenuItem {
    int normalIconId;   // icon drawn when the entry is not highlighted
    int selectedIconId; // icon drawn when it is highlighted (the same picture for every entry)
    const char* text;
    int commandId;      // what the view's command handling receives
};

inline constexpr int kCommandAddDeleteFish = 1034;
inline constexpr int kCommandTouchFish = 1035;
inline constexpr int kCommandFeedFish = 1036;
inline constexpr int kCommandZoomInFish = 1037;
inline constexpr int kCommandZoomOutFish = 1038;
inline constexpr int kCommandExit = 1042;
inline constexpr int kCommandCustomMusic = 1050;
inline constexpr int kCommandCustomBackground = 1052;

inline constexpr std::array<PopupMenuItem, 8> kPopupMenuItems = {{
    {133, 133, "  Feed Fish", kCommandFeedFish},
    {160, 160, "  Touch Fish", kCommandTouchFish},
    {134, 134, "  Zoom In Fish", kCommandZoomInFish},
    {135, 135, "  Zoom Out Fish", kCommandZoomOutFish},
    {180, 180, "  Add/Delete Fish", kCommandAddDeleteFish},
    {253, 253, "  Custom Music", kCommandCustomMusic},
    {232, 232, "  Custom Background", kCommandCustomBackground},
    {175, 175, "  Exit", kCommandExit},
}};

// Every entry is this big, in pixels.
inline constexpr int kPopupItemWidth = 140;
inline constexpr int kPopupItemHeight = 48;
// Width of the icon strip at the entry's left; the text area is the rest.
inline constexpr int kPopupIconStripWidth = 25;
