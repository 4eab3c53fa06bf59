#pragma once

#include <QObject>
#include <QSize>

#include <cstdint>

class QSocketNotifier;
struct xcb_connection_t;

// Watches a screensaver host's X window on a connection of its own: its size, whether
// it can be seen (mapped, and every ancestor mapped too: a host inside a hidden settings
// window is as unseen as an unmapped one), and its end. The guest draws through GLX on a
// window Qt never sees, so nothing in Qt could tell it: it asks the X server itself.
class HostWindowWatcher : public QObject {
    Q_OBJECT
public:
    HostWindowWatcher();
    ~HostWindowWatcher() override;

    // Connects to $DISPLAY and starts watching `window` (0: the screen's root window).
    // False, with the reason in `why`, when there is no display or no such window.
    bool watch(uint32_t window, QString *why);

    // After a failed watch(): the window is gone, but its id lies in the id range of an
    // X client still connected, so it was that client's window and it destroyed it (a
    // host that cycles its guests may do so before the guest has looked).
    bool hostAlreadyGone() const { return gone; }

    // After a successful watch(): whether the window still exists (the host may destroy
    // it at any moment, before its end reaches the event loop).
    bool hostStillThere() const;

    uint32_t window() const { return watched; }
    QSize size() const { return currentSize; } // device pixels
    bool isMapped() const { return mapped; } // viewable: it and its ancestors mapped

signals:
    void resized(QSize size);
    void mappedChanged(bool mapped);
    void hostDestroyed();

private:
    void readEvents();
    bool hostViewable(); // asks the server

    xcb_connection_t *connection = nullptr;
    QSocketNotifier *notifier = nullptr;
    uint32_t watched = 0;
    QSize currentSize;
    bool mapped = true;
    bool gone = false;
};
