// Saves the 25 species side by side, five rows of five, as a PNG, for looking at the
// models and skins:
//   fish_species_screenshot [out.png]      default /tmp/fish/species.png
// Skins come from $FISH_SKIN_DIR/fish<i>.bmp when set (else a test pattern of the skin
// layout); $FISH_PROGRAM_LIGHT set lights them with the program's full white light.
// Run it under an X server (Xvfb). Not a test: it checks nothing.
#include "FishTestSupport.h"
#include "GlScene.h"
#include "Settings.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

GlScene &fishScene() { return GlScene::instance(1280, 800); }

// The skin picture of a species: from $FISH_SKIN_DIR/fish<i>.bmp when set, else a
// test pattern of the skin layout (body gradient, grid, fin bands, eye).
GLuint skinTexture(int species)
{
    auto &scene = fishScene();
    if (const char *dir = std::getenv("FISH_SKIN_DIR")) {
        const GLuint t = scene.loadTexture(std::string(dir) + "/fish" + std::to_string(species) + ".bmp", GL_LINEAR);
        if (t)
            return t;
    }
    constexpr int w = 64, h = 64;
    std::vector<unsigned char> rgb(w * h * 3);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const float s = (i + 0.5f) / w, t = (j + 0.5f) / h;
            float r = 0.9f - 0.4f * t, g = 0.35f + 0.02f * species, b = 0.2f + 0.6f * t;
            if (t > 0.87f || t < 0.12f || s > 0.8f)
                r = 1.0f, g = 0.85f, b = 0.3f;
            if ((i % 8) == 0 || (j % 8) == 0)
                r *= 0.5f, g *= 0.5f, b *= 0.5f;
            const float ds = (s - 0.15f) / 0.048f, dt = (t - 0.64f) / 0.068f;
            if (ds * ds + dt * dt < 1)
                r = g = b = 0.05f;
            unsigned char *px = &rgb[(j * w + i) * 3];
            px[0] = static_cast<unsigned char>(r * 255);
            px[1] = static_cast<unsigned char>(g * 255);
            px[2] = static_cast<unsigned char>(b * 255);
        }
    return scene.makeTexture(w, h, rgb.data(), GL_LINEAR);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string out = argc > 1 ? argv[1] : "/tmp/fish/species.png";
    if (std::filesystem::path(out).has_parent_path())
        std::filesystem::create_directories(std::filesystem::path(out).parent_path());

    auto &scene = fishScene();
    GLuint skins[kSpeciesCount];
    for (int s = 0; s < kSpeciesCount; ++s)
        skins[s] = skinTexture(s);

    scene.beginFrame(0.05f, 0.18f, 0.32f);
    // The program's light: white, fixed relative to the eye, colour material on.
    glPushMatrix();
    glLoadIdentity();
    const GLfloat white[] = {1, 1, 1, 1}, position[] = {1000, -1000, 1000, 1};
    const GLfloat dim[] = {0.45f, 0.45f, 0.45f, 1}, soft[] = {0.75f, 0.75f, 0.75f, 1};
    const bool programLight = std::getenv("FISH_PROGRAM_LIGHT") != nullptr;
    glLightfv(GL_LIGHT1, GL_AMBIENT, programLight ? white : dim);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, programLight ? white : soft);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glPopMatrix();
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_TEXTURE_2D);

    std::vector<Fish> fish;
    for (int s = 0; s < kSpeciesCount; ++s) {
        Fish f = calmFish(-14.0f + 7.0f * static_cast<float>(s % 5), 8.8f - 4.4f * static_cast<float>(s / 5), -38, 0);
        f.setSwimBounds(-100, 100, 100, -100, -100, 0); // no wall in the picture
        f.scale = 7;
        for (int frame = 0; frame < 7; ++frame)
            f.advance(s); // a little swimming pose
        fish.push_back(f);
    }
    for (int s = 0; s < kSpeciesCount; ++s) {
        glPushMatrix();
        glTranslatef(fish[s].x, fish[s].y, fish[s].z);
        glBindTexture(GL_TEXTURE_2D, skins[s]);
        fish[s].draw(s);
        glPopMatrix();
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);

    const bool saved = scene.save(out);
    glDeleteTextures(kSpeciesCount, skins);
    if (!saved) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("%s\n", out.c_str());
    return 0;
}
