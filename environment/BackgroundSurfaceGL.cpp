#include "BackgroundSurface.h"
#include "EnvironmentPasses.h"

#include "Settings.h"

#include <GL/gl.h>

void BackgroundSurface::drawSurface() const
{
    for (const auto &strip : strips()) {
        glBegin(GL_TRIANGLE_STRIP);
        for (const SurfaceVertex &v : strip) {
            glTexCoord2f(v.s, v.t);
            glVertex3d(v.position.x, v.position.y, v.position.z);
        }
        glEnd();
    }
}

void drawBackgroundPass(BackgroundSurface &surface, unsigned texture, float tankXMin,
                        float tankXMax, const AquariumSettings &current)
{
    if (!backgroundSurfaceShown(current))
        return;
    glBindTexture(GL_TEXTURE_2D, texture);
    glPushMatrix();
    surface.updateControlGrid(tankXMin, tankXMax, current.background);
    surface.drawSurface();
    glPopMatrix();
}

void drawBackgroundPass(BackgroundSurface &surface, unsigned texture, float tankXMin,
                        float tankXMax)
{
    drawBackgroundPass(surface, texture, tankXMin, tankXMax, settings);
}
