#include "BubbleEmitter.h"
#include "EnvironmentPasses.h"

#include <GL/gl.h>

void BubbleEmitter::draw(int requested)
{
    setDrawCount(requested);
    glBindTexture(GL_TEXTURE_2D, texture);
    for (int i = 0; i < count; ++i) {
        const BubbleQuad quad = jitteredQuad(i);
        glBegin(GL_QUADS);
        for (const BubbleCorner &c : quad) {
            glTexCoord2f(c.s, c.t);
            glVertex3f(c.x, c.y, c.z);
        }
        glEnd();
    }
    update();
}

void drawBubblePass(BubbleEmitter (&emitters)[3], const EmitterOrigin (&positions)[3],
                    int qipaoNum)
{
    const int n = bubbleDrawCount(qipaoNum);
    glPushMatrix();
    glDisable(GL_FOG);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    for (int k = 0; k < 3; ++k) {
        glPushMatrix();
        glTranslatef(positions[k].x + 5, positions[k].y - 25, positions[k].z - 60);
        emitters[k].draw(n);
        glPopMatrix();
    }
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
