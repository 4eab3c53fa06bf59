#pragma once

#include <QObject>
#include <QSize>

#include <cstdint>

class QSocketNotifier;
struct xcb_connection_t;

// Watches a screensaver host's X window on a connection of its own: its size, whether
// it is mapped, and its end. The guest draws through GLX on a window Qt never sees, so
// nothing in Qt could tell it: it asks the X server itself.
class HostWindowWatcher : public QObject {
    Q_OBJECT
public:
    HostWindowWatcher();
    ~HostWindowWatcher() override;

    // Connects to $DISPLAY and starts watching `window` (0: the screen's root window).
    // False, with the reason in `why`, when there is no display or no such window.
    bool watch(uint32_t window, QString *why);

    uint32_t window() const { return watched; }
    QSize size() const { return currentSize; } // device pixels
    bool isMapped() const { return mapped; }

signals:
    void resized(QSize size);
    void mappedChanged(bool mapped);
    void hostDestroyed();

private:
    void readEvents();

    xcb_connection_t *connection = nullptr;
    QSocketNotifier *notifier = nullptr;
    uint32_t watched = 0;
    QSize currentSize;
    bool mapped = true;
};
