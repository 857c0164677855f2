// SPDX-License-Identifier: MIT
#include "XWindows.h"

#include <xcb/xcb.h>

#include <QSet>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace vitalune::testing {

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> own(T* reply) {
    return Reply<T>(reply, &std::free);
}

} // namespace

XWindows::XWindows(const QString& display) {
    int screenNumber = 0;
    connection_ = xcb_connect(display.toLocal8Bit().constData(), &screenNumber);
    if (xcb_connection_has_error(connection_))
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    root_ = screens.data->root;
}

XWindows::~XWindows() {
    if (connection_)
        xcb_disconnect(connection_);
}

bool XWindows::isConnected() const {
    return connection_ && !xcb_connection_has_error(connection_) && root_ != 0;
}

std::uint32_t XWindows::atom(const char* name) {
    auto reply = own(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
}

bool XWindows::isViewable(Window window) {
    auto attributes = own(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

QList<XWindows::Window> XWindows::visibleWindowsOf(std::int64_t pid) {
    QList<Window> found;
    if (!isConnected())
        return found;
    const std::uint32_t pidAtom = atom("_NET_WM_PID");
    auto tree = own(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree)
        return found;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t child = children[i];
        auto property = own(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, child, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (!property || xcb_get_property_value_length(property.get()) != 4)
            continue;
        const auto owner =
            *static_cast<const std::uint32_t*>(xcb_get_property_value(property.get()));
        if (owner == pid && isViewable(child))
            found << child;
    }
    return found;
}

QImage XWindows::grab(Window window) {
    auto geometry =
        own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    if (!geometry || geometry->depth != 24)
        return {};
    auto image =
        own(xcb_get_image_reply(connection_,
                                xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                              geometry->width, geometry->height, ~0u),
                                nullptr));
    if (!image)
        return {};
    const int bytes = xcb_get_image_data_length(image.get());
    if (bytes < geometry->width * geometry->height * 4)
        return {};
    QImage copy(xcb_get_image_data(image.get()), geometry->width, geometry->height,
                geometry->width * 4, QImage::Format_RGB32);
    return copy.copy(); // detach from the reply's memory
}

bool XWindows::sendDeleteWindow(Window window) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("WM_PROTOCOLS");
    event.data.data32[0] = atom("WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    const xcb_void_cookie_t cookie = xcb_send_event_checked(
        connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    return std::unique_ptr<xcb_generic_error_t, decltype(&std::free)>(
               xcb_request_check(connection_, cookie), &std::free) == nullptr;
}

bool XWindows::coverAndUncover(Window window) {
    auto geometry =
        own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    if (!geometry)
        return false;
    auto position = own(xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
    if (!position)
        return false;
    const xcb_window_t cover = xcb_generate_id(connection_);
    const std::uint32_t values[] = {0x00ff00ff, 1}; // a loud colour; no window manager
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, cover, root_, position->dst_x,
                      position->dst_y, geometry->width, geometry->height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection_, cover);
    // A round trip: the cover is on screen before it goes.
    const bool shown = isViewable(cover);
    xcb_destroy_window(connection_, cover);
    return shown && isViewable(window);
}

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

} // namespace vitalune::testing
