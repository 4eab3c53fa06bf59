#include "HostWindowWatcher.h"

#include <QSocketNotifier>

#include <xcb/res.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// Asks for the map and unmap events of each ancestor of `window` below the root.
void watchAncestors(xcb_connection_t *connection, uint32_t window)
{
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    for (int depth = 0; depth < 64; ++depth) {
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
        if (!tree)
            return;
        const uint32_t parent = tree->parent, root = tree->root;
        std::free(tree);
        if (parent == XCB_NONE || parent == root)
            return;
        xcb_change_window_attributes(connection, parent, XCB_CW_EVENT_MASK, &mask);
        window = parent;
    }
}

// True when `id` lies in the resource id range of a client connected to the server.
bool idOfLiveClient(xcb_connection_t *connection, uint32_t id)
{
    xcb_res_query_clients_reply_t *reply =
        xcb_res_query_clients_reply(connection, xcb_res_query_clients(connection), nullptr);
    if (!reply)
        return false; // no X-Resource extension: it cannot be told
    bool live = false;
    for (auto it = xcb_res_query_clients_clients_iterator(reply); it.rem && !live; xcb_res_client_next(&it))
        live = it.data->resource_mask != 0 && (id & ~it.data->resource_mask) == it.data->resource_base;
    std::free(reply);
    return live;
}

} // namespace

HostWindowWatcher::HostWindowWatcher() = default;

HostWindowWatcher::~HostWindowWatcher()
{
    delete notifier;
    if (connection)
        xcb_disconnect(connection);
}

bool HostWindowWatcher::watch(uint32_t window, QString *why)
{
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (!connection || xcb_connection_has_error(connection)) {
        *why = QStringLiteral("cannot open the X display");
        return false;
    }
    if (window == 0) {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; i < screenNumber && it.rem; ++i)
            xcb_screen_next(&it);
        if (!it.rem) {
            *why = QStringLiteral("no X screen");
            return false;
        }
        window = it.data->root;
    }
    watched = window;

    // Events first, then the state: nothing that happens in between is missed.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_generic_error_t *error =
        xcb_request_check(connection, xcb_change_window_attributes_checked(connection, window, XCB_CW_EVENT_MASK, &mask));
    if (!error)
        watchAncestors(connection, window);
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
    const bool found = !error && geometry && attributes;
    if (found) {
        currentSize = QSize(geometry->width, geometry->height);
        // Unviewable (mapped under an unmapped ancestor) counts as hidden. The ancestors'
        // own map and unmap events are asked for above, so their changes are seen too.
        mapped = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }
    std::free(error);
    std::free(geometry);
    std::free(attributes);
    if (!found) {
        gone = idOfLiveClient(connection, window);
        *why = QStringLiteral("no X window 0x%1").arg(window, 0, 16);
        return false;
    }

    notifier = new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read);
    connect(notifier, &QSocketNotifier::activated, this, &HostWindowWatcher::readEvents);
    readEvents(); // events that arrived with the replies are queued already
    return true;
}

bool HostWindowWatcher::hostStillThere() const
{
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, watched), nullptr);
    std::free(geometry);
    return geometry != nullptr;
}

bool HostWindowWatcher::hostViewable()
{
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, watched), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    return viewable;
}

void HostWindowWatcher::readEvents()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CONFIGURE_NOTIFY) {
            auto *e = reinterpret_cast<xcb_configure_notify_event_t *>(event);
            const QSize size(e->width, e->height);
            if (e->window == watched && size != currentSize) {
                currentSize = size;
                emit resized(size);
            }
        } else if (type == XCB_MAP_NOTIFY || type == XCB_UNMAP_NOTIFY) {
            // The host's or an ancestor's: only the server knows what is viewable now.
            const bool nowMapped = hostViewable();
            if (nowMapped != mapped) {
                mapped = nowMapped;
                emit mappedChanged(mapped);
            }
        } else if (type == XCB_DESTROY_NOTIFY) {
            auto *e = reinterpret_cast<xcb_destroy_notify_event_t *>(event);
            if (e->window == watched) {
                std::free(event);
                emit hostDestroyed();
                return;
            }
        }
        std::free(event);
    }
    if (xcb_connection_has_error(connection)) {
        // The display is gone, and the host with it.
        notifier->setEnabled(false);
        emit hostDestroyed();
    }
}
