#pragma once

// What the tests of drawn frames share: where the frame's camera puts a world point, and
// the full tank they draw.

#include "ProfileFile.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <string>

// Where the world point (x, y, z) lands in a w x h viewport (device pixels, y from the
// bottom), with the projection and camera that drawFrame sets up at the start.
inline void projectWithFrameCamera(double x, double y, double z, double w, double h, double *sx,
                                   double *sy)
{
    GLdouble proj[16], model[16];
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glFrustum(-0.4 * w / h, 0.4 * w / h, -0.4, 0.4, 1, 1000);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0, 0, -10, 0, 0, -500, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    const GLint viewport[4] = {0, 0, int(w), int(h)};
    GLdouble sz;
    gluProject(x, y, z, model, proj, viewport, sx, sy, &sz);
}

// One fish of every species, the rest of the settings as the program makes them.
inline void writeOneFishOfEverySpecies()
{
    for (int i = 0; i < 25; ++i)
        writeProfileString("Fish Number", "Fish" + std::to_string(i), "1");
}
