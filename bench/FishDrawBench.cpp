// What the fish pass and the pellet pass cost on this machine's GL: 25 live fish and all
// 100 pellet slots alive (125 models), drawn and stepped, frame by frame.
//   bench_fish_draw [frames]      default 200
// Run it under an X server (Xvfb); it prints figures and asserts nothing.
#include "FishPasses.h"
#include "FishTestSupport.h"
#include "GlScene.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

struct Tank {
    Fish fish[kFishRecords];
    FoodPellet pellets[kPelletSlots];
    int counts[kSpeciesCount] = {};
    GLuint textures[kSpeciesCount] = {};
};

} // namespace

int main(int argc, char *argv[])
{
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    auto &scene = GlScene::instance(GlScene::kWidth, GlScene::kHeight);
    auto tank = std::make_unique<Tank>();
    for (int i = 0; i < kFishRecords; ++i)
        tank->fish[i] = calmFish(-45.0f + 9.0f * static_cast<float>(i % 10), -8.0f + 6.0f * static_cast<float>(i / 10), -70, 0);
    for (int &c : tank->counts)
        c = 1;
    for (FoodPellet &p : tank->pellets) {
        p.alive = true;
        p.setUp();
    }
    scene.beginFrame(0, 0, 0);
    glFinish();

    std::vector<double> ms;
    for (int frame = 0; frame < frames; ++frame) {
        const auto start = std::chrono::steady_clock::now();
        stepFish(tank->fish, tank->counts, tank->pellets, kModeFeed);
        stepPellets(tank->pellets);
        drawFishPass(tank->fish, tank->counts, tank->textures);
        drawPellets(tank->pellets);
        glFinish();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, static_cast<size_t>(q * ms.size()))]; };
    std::printf("fish pass + pellet pass at %d x %d, %d frames: median %.2f ms, p90 %.2f ms, max %.2f ms\n",
                scene.width(), scene.height(), frames, at(0.5), at(0.9), ms.back());
    return 0;
}
