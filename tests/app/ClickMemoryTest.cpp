// Clicking must not cost memory: the picking a click starts (the comb passes in Feed mode,
// one selection pass per fish in Touch and the zoom modes) runs 300 times on the real view, and the
// resident memory afterwards stays within 8 MB of what it was after the first 20 clicks.
// Mesa's llvmpipe (22.3) keeps memory for good when immediate-mode drawing in the frame
// meets immediate-mode drawing in selection mode, half a megabyte and more a click.
#include "AquariumView.h"
#include "FrameCamera.h"
#include "MainFrame.h"
#include "PopupMenuEntries.h"
#include "ProfileFile.h"
#include "Random.h"
#include "TestApplication.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <malloc.h>
#include <memory>
#include <ostream>

namespace {

constexpr int kClicks = 300;
constexpr int kSettlingClicks = 20;
constexpr long kAllowedGrowthKb = 8 * 1024;

// Resident memory after handing freed heap memory back to the system, so that what the
// allocator merely keeps for reuse (the renderer frees and allocates megabytes a frame)
// does not count; memory still held does.
long residentKb()
{
    malloc_trim(0);
    std::FILE *f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmRSS: %ld", &kb) == 1)
            break;
    std::fclose(f);
    return kb;
}

struct Mode {
    const char *name;
    int command;
};

void PrintTo(const Mode &mode, std::ostream *out) { *out << mode.name; }

class ClickMemory : public ::testing::TestWithParam<Mode> {};

TEST_P(ClickMemory, threeHundredClicksLeaveResidentMemoryFlat)
{
    testApplication<QApplication>();
    QTemporaryDir config, runtime;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    // Default settings (the picture surface, 330 bubbles), one fish of every species.
    writeOneFishOfEverySpecies();
    varlen::seedRandom(19);

    auto frame = std::make_unique<CMainFrame>();
    ASSERT_TRUE(frame->onCreate());
    AquariumView *view = frame->view();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->glContext(), nullptr);
    view->setFramesRunning(false);
    // A small viewport keeps the frames quick; picking works in viewport pixels.
    view->screenWidth = 640;
    view->screenHeight = 400;
    view->onCommand(GetParam().command);

    unsigned point = 12345; // click points from a generator of their own, not rand()
    long settled = 0;
    for (int click = 1; click <= kClicks; ++click) {
        point = point * 1103515245u + 12345u;
        const QPoint at(int((point >> 8) % 640), int((point >> 20) % 400));
        // Held over a frame: the zoom modes drop a press released before the next frame.
        QTest::mousePress(view, Qt::LeftButton, {}, at);
        view->drawFrame();
        QTest::mouseRelease(view, Qt::LeftButton, {}, at);
        if (click == kSettlingClicks)
            settled = residentKb();
    }
    const long after = residentKb();
    ASSERT_GT(settled, 0);
    std::printf("%s: resident %ld kB after %d clicks, %ld kB after %d\n", GetParam().name, settled,
                kSettlingClicks, after, kClicks);
    EXPECT_LT(after - settled, kAllowedGrowthKb)
        << GetParam().name << ": " << settled << " kB after " << kSettlingClicks << " clicks, "
        << after << " kB after " << kClicks;
}

INSTANTIATE_TEST_SUITE_P(PickingModes, ClickMemory,
                         ::testing::Values(Mode{"Feed", kCommandFeedFish}, Mode{"Touch", kCommandTouchFish},
                                           Mode{"ZoomIn", kCommandZoomInFish},
                                           Mode{"ZoomOut", kCommandZoomOutFish}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
