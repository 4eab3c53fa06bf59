#include "FishPasses.h"

#include <GL/glu.h>

namespace {

GLuint selectionBuffer[512];

// Enters selection mode with a pick region of `size` pixels around the mouse on top of
// the frame's own projection, so that a pick finds what is drawn under the pointer.
void beginSelection(int mouseX, int mouseY, double size)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLfloat frameProjection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, frameProjection);

    glSelectBuffer(512, selectionBuffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(mouseX, viewport[3] - mouseY, size, size, viewport);
    glMultMatrixf(frameProjection);
    glMatrixMode(GL_MODELVIEW);
}

// Restores the projection and returns the number of hits.
GLint endSelection()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return glRenderMode(GL_RENDER);
}

bool isPickingMode(int mode) { return mode == kModeTouch || mode == kModeZoomIn || mode == kModeZoomOut; }

} // namespace

void runFishPass(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
                 const GLuint textures[kSpeciesCount], FoodPellet (&pellets)[kPelletSlots],
                 int interactionMode)
{
    runFishFrame(fish, counts, pellets, interactionMode, [&](Fish &f, int, int species) {
        glPushMatrix();
        glTranslatef(f.x, f.y, f.z);
        glBindTexture(GL_TEXTURE_2D, textures[species]);
        f.draw(species);
        glPopMatrix();
    });
}

void drawPellets(FoodPellet (&pellets)[kPelletSlots])
{
    glDisable(GL_LIGHTING);
    for (FoodPellet &p : pellets) {
        if (!p.alive)
            continue;
        glPushMatrix();
        glTranslatef(p.baseX + p.motion.x, p.baseY + p.motion.y, p.baseZ + p.motion.z);
        if (p.visible != 0.0f) {
            glPushMatrix();
            glScalef(0.3f, 0.3f, 0.3f);
            glColor3f(1.0f, 0.0f, 0.0f);
            p.motion.draw(kPelletSpecies);
            glPopMatrix();
            p.worldX = p.baseX + p.motion.x;
            p.worldY = p.baseY + p.motion.y;
            p.worldZ = p.baseZ + p.motion.z;
        } else {
            p.alive = false;
        }
        glPopMatrix();
    }
}

float pickComb(const PickRail *rails, int count, bool xComb, int mouseX, int mouseY)
{
    // One rail: a thin quad, drawn from a vertex array like everything else drawn in a
    // selection pass (immediate mode there makes Mesa's llvmpipe keep memory per pass).
    static const GLfloat xRail[4][3] = {
        {-0.5f, -30.0f, 1.0f}, {0.5f, -30.0f, 1.0f}, {0.5f, 30.0f, 1.0f}, {-0.5f, 30.0f, 1.0f}};
    static const GLfloat yRail[4][3] = {
        {-90.0f, -0.5f, 1.0f}, {90.0f, -0.5f, 1.0f}, {90.0f, 0.5f, 1.0f}, {-90.0f, 0.5f, 1.0f}};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, xComb ? xRail : yRail);
    float found = 0.0f;
    for (int i = 0; i < count; ++i) {
        const PickRail &rail = rails[i];
        glPushMatrix();
        beginSelection(mouseX, mouseY, 15.0);
        glTranslatef(rail.x, rail.y, rail.z);
        glDrawArrays(GL_QUADS, 0, 4);
        const GLint hits = endSelection();
        glPopMatrix();
        if (hits > 0) {
            found = xComb ? rail.x : rail.y;
            break;
        }
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    return found;
}

void runFeedPicking(FeedState &state, PickRail (&railsX)[kRailsX], PickRail (&railsY)[kRailsY],
                    float tankXMin, float tankXMax, float tankYMin, float tankYMax,
                    int interactionMode, int mouseX, int mouseY, bool &feedClick,
                    FoodPellet (&pellets)[kPelletSlots])
{
    if (interactionMode != kModeFeed)
        return;
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
    sweepCombs(state, railsX, railsY, tankXMin, tankYMin);
    if (feedClick) {
        glPushMatrix();
        const float px = pickComb(railsX, kRailsX, true, mouseX, mouseY);
        glPopMatrix();
        glPushMatrix();
        const float py = pickComb(railsY, kRailsY, false, mouseX, mouseY);
        glPopMatrix();
        acceptDropPoint(state, px, py, tankXMin, tankXMax, tankYMin, tankYMax);
        dropAtFoundPoint(state, feedClick, pellets);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 0.0f);
}

int runFishPicking(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
                   int interactionMode, int mouseX, int mouseY, bool &pickPending)
{
    if (!isPickingMode(interactionMode) || !pickPending)
        return -1;
    pickPending = false;
    const int live = liveFishCount(counts);
    // Fish::draw sends the model as vertex arrays; immediate mode here would make every
    // click cost memory on llvmpipe (see FishDraw.cpp and the click memory test).
    for (int i = 0; i < live; ++i) {
        Fish &f = fish[i];
        glPushMatrix();
        beginSelection(mouseX, mouseY, 20.0);
        glTranslatef(f.x, f.y, f.z);
        f.draw(speciesOfRecord(counts, i));
        const GLint hits = endSelection();
        glPopMatrix();
        if (hits > 0) {
            actOnPickedFish(f, interactionMode);
            return i;
        }
    }
    return -1;
}
