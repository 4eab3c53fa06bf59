#include "BubbleEmitter.h"
#include "EnvironmentPasses.h"

#include <GL/gl.h>

void BubbleEmitter::draw() const
{
    glBindTexture(GL_TEXTURE_2D, texture);
    for (const BubbleQuad &quad : shown) {
        glBegin(GL_QUADS);
        for (const BubbleCorner &c : quad) {
            glTexCoord2f(c.s, c.t);
            glVertex3f(c.x, c.y, c.z);
        }
        glEnd();
    }
}

void drawBubblePass(const BubbleEmitter (&emitters)[3], const EmitterOrigin (&positions)[3])
{
    glPushMatrix();
    glDisable(GL_FOG);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    for (int k = 0; k < 3; ++k) {
        glPushMatrix();
        glTranslatef(positions[k].x + 5, positions[k].y - 25, positions[k].z - 60);
        emitters[k].draw();
        glPopMatrix();
    }
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
