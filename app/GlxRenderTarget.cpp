#include "GlxRenderTarget.h"

#include <cstring>

// Xlib and GLX last: their macros clash with Qt's names.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// X errors on this connection (a host destroyed between two frames, say) are answered
// by the host's end, which the host watcher reports; they must not end the program on
// their own, as Xlib's default handler would. Qt's own handler ignores them as well.
int lastXError = 0;

int noteXError(Display *, XErrorEvent *event)
{
    lastXError = event->error_code;
    return 0;
}

bool hasExtension(const char *list, const char *name)
{
    const size_t length = std::strlen(name);
    for (const char *p = list ? std::strstr(list, name) : nullptr; p; p = std::strstr(p + 1, name)) {
        const bool starts = p == list || p[-1] == ' ';
        const bool ends = p[length] == '\0' || p[length] == ' ';
        if (starts && ends)
            return true;
    }
    return false;
}

// The tick, not the display's refresh, paces frames.
void turnOffSwapWaits(Display *display, int screen, GLXDrawable drawable)
{
    const char *extensions = glXQueryExtensionsString(display, screen);
    if (hasExtension(extensions, "GLX_EXT_swap_control")) {
        using SwapIntervalExt = void (*)(Display *, GLXDrawable, int);
        if (auto f = reinterpret_cast<SwapIntervalExt>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte *>("glXSwapIntervalEXT"))))
            f(display, drawable, 0);
    } else if (hasExtension(extensions, "GLX_MESA_swap_control")) {
        using SwapIntervalMesa = int (*)(unsigned);
        if (auto f = reinterpret_cast<SwapIntervalMesa>(
                glXGetProcAddressARB(reinterpret_cast<const GLubyte *>("glXSwapIntervalMESA"))))
            f(0);
    }
}

// A double-buffered RGB config of 8 bits a colour (the same the view asks Qt for) with
// the deepest depth buffer on offer, whose visual `fits`. Null when none fits.
template <typename Fits>
GLXFBConfig chooseConfig(Display *display, int screen, Fits fits)
{
    for (int depthBits : {32, 24, 16}) {
        const int attributes[] = {GLX_X_RENDERABLE, True,
                                  GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                                  GLX_RENDER_TYPE, GLX_RGBA_BIT,
                                  GLX_DOUBLEBUFFER, True,
                                  GLX_RED_SIZE, 8,
                                  GLX_GREEN_SIZE, 8,
                                  GLX_BLUE_SIZE, 8,
                                  GLX_DEPTH_SIZE, depthBits,
                                  None};
        int count = 0;
        GLXFBConfig *configs = glXChooseFBConfig(display, screen, attributes, &count);
        GLXFBConfig chosen = nullptr;
        for (int i = 0; i < count && !chosen; ++i) {
            if (XVisualInfo *visual = glXGetVisualFromFBConfig(display, configs[i])) {
                if (fits(*visual))
                    chosen = configs[i];
                XFree(visual);
            }
        }
        if (configs)
            XFree(configs);
        if (chosen)
            return chosen;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<GlxRenderTarget> GlxRenderTarget::create(uint32_t window, QSize size, QString *why)
{
    std::unique_ptr<GlxRenderTarget> target(new GlxRenderTarget);
    target->size = size.expandedTo(QSize(1, 1));
    if (!target->open(window, why))
        return nullptr;
    return target;
}

bool GlxRenderTarget::open(uint32_t host, QString *why)
{
    XSetErrorHandler(noteXError);
    display = XOpenDisplay(nullptr);
    if (!display) {
        *why = QStringLiteral("cannot open the X display");
        return false;
    }
    XWindowAttributes hostAttributes = {};
    if (!XGetWindowAttributes(display, host, &hostAttributes)) {
        *why = QStringLiteral("no X window 0x%1").arg(host, 0, 16);
        return false;
    }
    const int screen = XScreenNumberOfScreen(hostAttributes.screen);
    ownWindow = host != hostAttributes.root;

    GLXFBConfig config = nullptr;
    if (!ownWindow) {
        // The root window's visual is fixed: only a config of that very visual draws on it.
        const VisualID rootVisual = XVisualIDFromVisual(hostAttributes.visual);
        config = chooseConfig(display, screen, [&](const XVisualInfo &v) { return v.visualid == rootVisual; });
    } else {
        // A visual of the host's depth first: the child then looks exactly like a part
        // of the host wherever the two meet.
        config = chooseConfig(display, screen, [&](const XVisualInfo &v) {
            return v.c_class == TrueColor && v.depth == hostAttributes.depth;
        });
        if (!config)
            config = chooseConfig(display, screen, [](const XVisualInfo &v) { return v.c_class == TrueColor; });
    }
    if (!config) {
        *why = ownWindow ? QStringLiteral("no OpenGL visual to draw with")
                         : QStringLiteral("no OpenGL visual for the root window");
        return false;
    }
    context = glXCreateNewContext(display, config, GLX_RGBA_TYPE, nullptr, True);
    if (!context)
        context = glXCreateNewContext(display, config, GLX_RGBA_TYPE, nullptr, False);
    if (!context) {
        *why = QStringLiteral("cannot create an OpenGL context");
        return false;
    }

    if (!ownWindow) {
        window = host;
    } else {
        XVisualInfo *visual = glXGetVisualFromFBConfig(display, config);
        colormap = XCreateColormap(display, hostAttributes.root, visual->visual, AllocNone);
        XSetWindowAttributes a = {};
        a.background_pixmap = None; // the host's picture stays until the first frame
        a.border_pixel = 0;
        a.colormap = colormap;
        lastXError = 0;
        window = XCreateWindow(display, host, 0, 0, unsigned(size.width()), unsigned(size.height()), 0,
                               visual->depth, InputOutput, visual->visual, CWBackPixmap | CWBorderPixel | CWColormap,
                               &a);
        XFree(visual);
        XMapWindow(display, window);
        XSync(display, False);
        if (lastXError != 0) {
            *why = QStringLiteral("cannot make a window in X window 0x%1").arg(host, 0, 16);
            return false;
        }
    }
    if (!makeCurrent()) {
        *why = QStringLiteral("cannot draw on X window 0x%1").arg(uint32_t(window), 0, 16);
        return false;
    }
    turnOffSwapWaits(display, screen, window);
    return true;
}

GlxRenderTarget::~GlxRenderTarget()
{
    if (!display)
        return;
    if (context) {
        if (glXGetCurrentContext() == context)
            glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, context);
    }
    if (ownWindow && window)
        XDestroyWindow(display, window);
    if (colormap)
        XFreeColormap(display, colormap);
    XCloseDisplay(display);
}

bool GlxRenderTarget::makeCurrent()
{
    if (glXGetCurrentContext() == context && glXGetCurrentDrawable() == window)
        return true;
    return glXMakeCurrent(display, window, context) == True;
}

void GlxRenderTarget::swapBuffers() { glXSwapBuffers(display, window); }

void GlxRenderTarget::doneCurrent()
{
    if (glXGetCurrentContext() == context)
        glXMakeCurrent(display, None, nullptr);
}

void GlxRenderTarget::resize(QSize pixels)
{
    size = pixels.expandedTo(QSize(1, 1));
    if (ownWindow) {
        XResizeWindow(display, window, unsigned(size.width()), unsigned(size.height()));
        XFlush(display);
    }
}
