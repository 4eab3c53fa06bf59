#include "TextOverlay.h"

#include "ProductInfo.h"
#include "ViewRules.h"

#include <GL/glu.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainterPath>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <vector>

namespace {

constexpr float kExtrusion = 0.2f;
constexpr int kEmPixels = 64; // outlines are taken at this size and scaled to one unit

// The tessellator keeps pointers to vertex data until gluTessEndPolygon; the combine
// callback adds points of its own. A deque never moves what it already holds. Besides
// drawing into the glyph's list, the face is kept as triangles in `mesh` when given.
struct TessData {
    std::deque<std::array<GLdouble, 3>> points;
    float z = 0;
    float normalZ = 1;
    GLenum type = GL_TRIANGLES;
    std::vector<std::array<GLdouble, 3>> primitive;
    std::vector<GLfloat> *mesh = nullptr;
};

void putMeshVertex(std::vector<GLfloat> &mesh, double x, double y, double z, double nx, double ny,
                   double nz)
{
    mesh.insert(mesh.end(),
                {GLfloat(x), GLfloat(y), GLfloat(z), GLfloat(nx), GLfloat(ny), GLfloat(nz)});
}

void GLAPIENTRY tessBegin(GLenum type, void *polygon)
{
    auto *tess = static_cast<TessData *>(polygon);
    tess->type = type;
    tess->primitive.clear();
    glBegin(type);
}
void GLAPIENTRY tessEnd(void *polygon)
{
    glEnd();
    auto *tess = static_cast<TessData *>(polygon);
    if (!tess->mesh)
        return;
    const auto &v = tess->primitive;
    auto put = [&](size_t i) {
        putMeshVertex(*tess->mesh, v[i][0], v[i][1], tess->z, 0, 0, tess->normalZ);
    };
    const size_t n = v.size();
    for (size_t i = 0; i + 2 < n; ++i) {
        if (tess->type == GL_TRIANGLES) {
            if (i % 3 == 0) {
                put(i);
                put(i + 1);
                put(i + 2);
            }
        } else if (tess->type == GL_TRIANGLE_FAN) {
            put(0);
            put(i + 1);
            put(i + 2);
        } else if (tess->type == GL_TRIANGLE_STRIP) {
            put(i % 2 ? i + 1 : i);
            put(i % 2 ? i : i + 1);
            put(i + 2);
        }
    }
}
void GLAPIENTRY tessVertex(void *data, void *polygon)
{
    const auto *p = static_cast<const GLdouble *>(data);
    auto *tess = static_cast<TessData *>(polygon);
    glVertex3d(p[0], p[1], tess->z);
    tess->primitive.push_back({p[0], p[1], 0});
}
void GLAPIENTRY tessCombine(GLdouble coords[3], void *[4], GLfloat[4], void **out, void *polygon)
{
    auto *tess = static_cast<TessData *>(polygon);
    tess->points.push_back({coords[0], coords[1], coords[2]});
    *out = tess->points.back().data();
}
void GLAPIENTRY tessError(GLenum) {}

using Contours = std::vector<std::vector<std::array<GLdouble, 3>>>;

void fillFace(GLUtesselator *tess, const Contours &contours, float z, float normalZ,
              std::vector<GLfloat> *mesh)
{
    TessData data;
    data.z = z;
    data.normalZ = normalZ;
    data.mesh = mesh;
    glNormal3f(0, 0, normalZ);
    gluTessNormal(tess, 0, 0, normalZ);
    gluTessBeginPolygon(tess, &data);
    for (const auto &contour : contours) {
        gluTessBeginContour(tess);
        for (const auto &pt : contour)
            gluTessVertex(tess, const_cast<GLdouble *>(pt.data()), const_cast<GLdouble *>(pt.data()));
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
}

void extrudeSides(const Contours &contours, std::vector<GLfloat> &mesh)
{
    for (const auto &contour : contours) {
        const size_t n = contour.size();
        if (n < 2)
            continue;
        glBegin(GL_QUADS);
        for (size_t i = 0; i < n; ++i) {
            const auto &a = contour[i];
            const auto &b = contour[(i + 1) % n];
            const double dx = b[0] - a[0], dy = b[1] - a[1];
            glNormal3d(dy, -dx, 0);
            glVertex3d(a[0], a[1], 0);
            glVertex3d(a[0], a[1], -kExtrusion);
            glVertex3d(b[0], b[1], -kExtrusion);
            glVertex3d(b[0], b[1], 0);
            // The same quad as two triangles that share its diagonal.
            putMeshVertex(mesh, a[0], a[1], 0, dy, -dx, 0);
            putMeshVertex(mesh, a[0], a[1], -kExtrusion, dy, -dx, 0);
            putMeshVertex(mesh, b[0], b[1], -kExtrusion, dy, -dx, 0);
            putMeshVertex(mesh, a[0], a[1], 0, dy, -dx, 0);
            putMeshVertex(mesh, b[0], b[1], -kExtrusion, dy, -dx, 0);
            putMeshVertex(mesh, b[0], b[1], 0, dy, -dx, 0);
        }
        glEnd();
    }
}

} // namespace

void TextOverlay::createTextFont()
{
    listBase = glGenLists(256);
    helpList = 0;
    built.reset();
    if (listBase == 0)
        return;
    // Every code's list is compiled at its first use: the help text needs about forty of
    // the 255 glyphs, and outlining and tessellating them all took a third of start-up.
    glNewList(listBase + 255, GL_COMPILE);
    glEndList();
    built.set(255);
}

void TextOverlay::buildGlyphs(const char *text) const
{
    bool missing = false;
    for (const char *c = text; *c; ++c)
        missing = missing || !built.test(static_cast<unsigned char>(*c));
    if (!missing)
        return;

    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(kEmPixels);
    font.setBold(true);
    const QFontMetricsF metrics(font);

    GLUtesselator *tess = gluNewTess();
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<void(GLAPIENTRY *)()>(tessBegin));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<void(GLAPIENTRY *)()>(tessEnd));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<void(GLAPIENTRY *)()>(tessVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<void(GLAPIENTRY *)()>(tessCombine));
    gluTessCallback(tess, GLU_TESS_ERROR, reinterpret_cast<void(GLAPIENTRY *)()>(tessError));

    const double unit = 1.0 / kEmPixels;
    for (const char *c = text; *c; ++c) {
        const int code = static_cast<unsigned char>(*c);
        if (built.test(code))
            continue;
        built.set(code);
        const QChar ch = QChar::fromLatin1(char(code));
        Contours contours;
        if (code >= 32) {
            QPainterPath path;
            path.addText(0, 0, font, QString(ch));
            for (const QPolygonF &poly : path.toSubpathPolygons()) {
                std::vector<std::array<GLdouble, 3>> contour;
                for (const QPointF &p : poly)
                    contour.push_back({p.x() * unit, -p.y() * unit, 0});
                // Subpaths come closed: drop the repeated first point.
                if (contour.size() > 1 && contour.front() == contour.back())
                    contour.pop_back();
                if (contour.size() >= 3)
                    contours.push_back(std::move(contour));
            }
        }
        GlyphMesh &glyph = glyphs[code];
        glyph.seen.clear();
        glyph.advance = code >= 32 ? metrics.horizontalAdvance(ch) * unit : 0;
        glNewList(listBase + code, GL_COMPILE);
        if (!contours.empty()) {
            fillFace(tess, contours, 0, 1, &glyph.seen);
            fillFace(tess, contours, -kExtrusion, -1, nullptr);
            extrudeSides(contours, glyph.seen);
        }
        glTranslated(glyph.advance, 0, 0);
        glEndList();
    }
    gluDeleteTess(tess);
}

void TextOverlay::printText(const char *format, ...) const
{
    if (format == nullptr || listBase == 0)
        return;
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);

    buildGlyphs(text);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(GLsizei(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

void TextOverlay::drawHelpText(bool visible, bool keyHints) const
{
    if (!visible)
        return;
    struct Line {
        const char *text;
        float x, y, z;
    };
    const Line lines[] = {
        {kProductTitle, -5.5f, 4, -60},
        {"[Right Click]: Toolbar popup", -4, 1, -60},
        {"[ESC]: Exit", -4, 0, -60},
        {kMakerWebAddress, -4, -2, -60},
    };
    // The text never changes, so it is one list of its own, compiled once with every
    // glyph in place: one draw instead of one per glyph. Each glyph's back face is left
    // out: seen from the front it lies wholly behind the front face and the sides.
    // A guest's text leaves the key lines out, so the list is made for the lines shown.
    const bool isKeyHint[] = {false, true, true, false};
    if (helpList != 0 && helpListKeyHints != keyHints) {
        glDeleteLists(helpList, 1);
        helpList = 0;
    }
    if (helpList == 0) {
        for (const Line &line : lines)
            buildGlyphs(line.text);
        helpList = glGenLists(1);
        helpListKeyHints = keyHints;
        if (helpList == 0)
            return;
        glNewList(helpList, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        for (int l = 0; l < 4; ++l) {
            const Line &line = lines[l];
            if (isKeyHint[l] && !keyHints)
                continue;
            double advance = 0;
            for (const char *c = line.text; *c; ++c) {
                const GlyphMesh &glyph = glyphs[static_cast<unsigned char>(*c)];
                for (size_t i = 0; i + 5 < glyph.seen.size(); i += 6) {
                    const GLfloat *v = &glyph.seen[i];
                    glNormal3f(v[3], v[4], v[5]);
                    glVertex3f(line.x + GLfloat(advance + v[0]), line.y + v[1], line.z + v[2]);
                }
                advance += glyph.advance;
            }
        }
        glEnd();
        glEndList();
    }
    // The glyphs carry no texture coordinates: draw them plain white, untextured, and
    // leave the colour and texturing as the previous frame left them.
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glCallList(helpList);
    glPopAttrib();
}
