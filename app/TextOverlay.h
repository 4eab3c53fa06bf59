#pragma once

#include <GL/gl.h>

// The help text: real 3-D glyphs, extruded outlines in 256 display lists (one per
// character code), drawn in the scene. Needs a current GL context.
class TextOverlay {
public:
    // Builds the glyph lists: bold, the system's default face, one unit per em, extruded
    // 0.2 units toward -z. Codes 0..254 get a glyph; list 255 stays empty. Each list
    // leaves the current position advanced by the glyph's width.
    void createTextFont();

    // Draws one line at the current model-view origin, printf style, at most 255
    // characters. A null format draws nothing.
    void printText(const char *format, ...) const;

    // Once per frame: advances the 100-frame rule and draws the four lines when visible.
    void drawHelpText(bool &helpTextVisible, int &helpTextFrames) const;

    GLuint glyphListBase() const { return listBase; }

private:
    GLuint listBase = 0;
};
