#include "BackdropPass.h"

#include "Settings.h"

#include <GL/gl.h>

void drawBackdrop(const AquariumScene &scene, const AquariumSettings &current, bool shown)
{
    const float x0 = 2 * scene.tankXMin, x1 = 2 * scene.tankXMax;
    const float y0 = 3 * scene.tankYMin, y1 = 3 * scene.tankYMax, z = 3 * scene.tankZBack;
    auto quad = [&](const Rgb (&c)[4]) {
        glShadeModel(GL_SMOOTH);
        glDisable(GL_TEXTURE_2D);
        if (shown) {
            glBegin(GL_QUADS);
            glColor3f(c[0].r, c[0].g, c[0].b);
            glVertex3f(x0, y0, z);
            glColor3f(c[1].r, c[1].g, c[1].b);
            glVertex3f(x1, y0, z);
            glColor3f(c[2].r, c[2].g, c[2].b);
            glVertex3f(x1, y1, z);
            glColor3f(c[3].r, c[3].g, c[3].b);
            glVertex3f(x0, y1, z);
            glEnd();
        }
        glColor3ub(255, 255, 255);
        glEnable(GL_TEXTURE_2D);
    };
    if (current.backGuding != 0) {
        const Rgb c = colourFromColorRef(current.backColor);
        quad({c, c, c, c});
    }
    if (current.backManJianBian != 0) {
        const Rgb top = colourFromColorRef(current.backColor1);
        const Rgb bottom = colourFromColorRef(current.backColor2);
        quad({bottom, bottom, top, top});
    }
    if (current.backAutoJianBian != 0) {
        const auto c = backdropCycleColours(scene.backdropPhaseStarted ? scene.backdropPhase
                                                                  : current.lockBackRot);
        quad({c[0], c[1], c[2], c[3]});
    }
}
