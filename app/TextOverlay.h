#pragma once

#include <GL/gl.h>

#include <bitset>
#include <vector>

// The help text: real 3-D glyphs, extruded outlines in 256 display lists (one per
// character code), drawn in the scene. Needs a current GL context.
class TextOverlay {
public:
    // Reserves the 256 glyph lists: bold, the system's default face, one unit per em,
    // extruded 0.2 units toward -z. Codes 0..254 get a glyph, compiled when printText
    // first needs it; list 255 stays empty. Each list leaves the current position advanced
    // by the glyph's width.
    void createTextFont();

    // Draws one line at the current model-view origin, printf style, at most 255
    // characters. A null format draws nothing.
    void printText(const char *format, ...) const;

    // Draws the four lines when `visible` (the step keeps the 100-step rule); without
    // `keyHints` the two lines naming keys are left out.
    void drawHelpText(bool visible, bool keyHints = true) const;

    GLuint glyphListBase() const { return listBase; }

private:
    // Compiles the lists of the codes in `text` not compiled yet (outside any list).
    void buildGlyphs(const char *text) const;

    // A glyph as triangles (x, y, z, nx, ny, nz per vertex): its front face and sides.
    struct GlyphMesh {
        std::vector<GLfloat> seen;
        double advance = 0;
    };

    GLuint listBase = 0;
    mutable std::bitset<256> built; // lists compiled so far
    mutable GlyphMesh glyphs[256];
    mutable GLuint helpList = 0; // the lines of the help text
    mutable bool helpListKeyHints = true; // whether that list holds the key lines
};
