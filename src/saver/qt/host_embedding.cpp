#include "saver/qt/host_embedding.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>

#if __has_include(<xcb/xcb.h>) && QT_CONFIG(xcb)
#define LV_HAVE_XCB 1
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace lv {

#if LV_HAVE_XCB
namespace {

// Qt's own connection to the X server, when the program runs on X11.
xcb_connection_t* QtConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

platform::NativeWindow RootWindowId() {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr) {
        return 0;
    }
    const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    return screens.rem > 0 ? screens.data->root : 0;
}

std::optional<QSize> ForeignWindowSize(platform::NativeWindow window) {
    xcb_connection_t* connection = QtConnection();
    if (connection == nullptr || window == 0) {
        return std::nullopt;
    }
    const auto id = static_cast<xcb_window_t>(window);
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), &std::free);
    if (!geometry) {
        return std::nullopt;
    }
    return QSize(geometry->width, geometry->height);
}

#else

platform::NativeWindow RootWindowId() { return 0; }

std::optional<QSize> ForeignWindowSize(platform::NativeWindow) { return std::nullopt; }

#endif

}  // namespace lv
