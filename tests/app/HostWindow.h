#pragma once

// A screensaver host's window, made the way the hosts make theirs: a plain X window
// (override-redirect, filled with one background colour) whose id is handed to the guest.
// Xlib on a connection of the test's own.

#include <QImage>
#include <QSize>

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <vector>

class HostWindow {
public:
    // The test program's one connection to $DISPLAY; null when there is none.
    static Display *display()
    {
        static Display *d = XOpenDisplay(nullptr);
        return d;
    }

    // The root window's children: the top-level windows of the screen.
    static std::vector<Window> topLevelWindows() { return children(DefaultRootWindow(display())); }

    // The top-level windows that are on the screen (Qt keeps two unmapped ones of its
    // own in every program: a 1 x 1 client leader and a selection owner).
    static std::vector<Window> viewableTopLevelWindows()
    {
        std::vector<Window> out;
        for (Window w : topLevelWindows()) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display(), w, &a) && a.map_state == IsViewable)
                out.push_back(w);
        }
        return out;
    }

    // The viewable top-level windows that the process `pid` made (Qt names its windows'
    // process in _NET_WM_PID), so that other programs on the same display do not count.
    static std::vector<Window> viewableTopLevelWindowsOf(long pid)
    {
        const Atom property = XInternAtom(display(), "_NET_WM_PID", False);
        std::vector<Window> out;
        for (Window w : viewableTopLevelWindows()) {
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char *data = nullptr;
            if (XGetWindowProperty(display(), w, property, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                                   &after, &data) == Success && data) {
                if (format == 32 && count == 1 && long(*reinterpret_cast<unsigned long *>(data)) == pid)
                    out.push_back(w);
                XFree(data);
            }
        }
        return out;
    }

    static std::vector<Window> children(Window w)
    {
        Window root = 0, parent = 0, *list = nullptr;
        unsigned count = 0;
        std::vector<Window> out;
        if (XQueryTree(display(), w, &root, &parent, &list, &count)) {
            out.assign(list, list + count);
            XFree(list);
        }
        return out;
    }

    static QSize sizeOf(Window w)
    {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display(), w, &a))
            return {};
        return QSize(a.width, a.height);
    }

    // What the screen shows in the rectangle (x, y, w, h) of the root window.
    static QImage grabScreen(int x, int y, int w, int h)
    {
        XImage *image = XGetImage(display(), DefaultRootWindow(display()), x, y, unsigned(w), unsigned(h), AllPlanes,
                                  ZPixmap);
        if (!image)
            return {};
        QImage out(w, h, QImage::Format_RGB32);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                out.setPixel(col, row, 0xff000000u | uint(XGetPixel(image, col, row) & 0xffffff));
        XDestroyImage(image);
        return out;
    }

    // A mapped host at (x, y) of w x h pixels, filled with `background` (0xRRGGBB).
    HostWindow(int x, int y, int w, int h, unsigned long background = kBackground) : x_(x), y_(y)
    {
        Display *d = display();
        XSetWindowAttributes a = {};
        a.background_pixel = background;
        a.override_redirect = True;
        id_ = XCreateWindow(d, DefaultRootWindow(d), x, y, unsigned(w), unsigned(h), 0, CopyFromParent, InputOutput,
                            CopyFromParent, CWBackPixel | CWOverrideRedirect, &a);
        map();
    }
    ~HostWindow() { destroy(); }
    HostWindow(const HostWindow &) = delete;
    HostWindow &operator=(const HostWindow &) = delete;

    Window id() const { return id_; }
    QSize size() const { return sizeOf(id_); }
    std::vector<Window> children() const { return children(id_); }
    // What the screen shows where the host is.
    QImage grab() const
    {
        const QSize s = size();
        return grabScreen(x_, y_, s.width(), s.height());
    }

    void resize(int w, int h) { XResizeWindow(display(), id_, unsigned(w), unsigned(h)), XSync(display(), False); }
    void map() { XMapRaised(display(), id_), XSync(display(), False); }
    void unmap() { XUnmapWindow(display(), id_), XSync(display(), False); }
    void destroy()
    {
        if (id_)
            XDestroyWindow(display(), id_), XSync(display(), False);
        id_ = 0;
    }

    static constexpr unsigned long kBackground = 0xff00ff; // magenta: never in the aquarium

private:
    Window id_ = 0;
    int x_, y_;
};
