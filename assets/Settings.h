#pragma once

#include <cstdint>

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
