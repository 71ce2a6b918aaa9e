// The host window on X11, through xcb: the handle is an X11 window id.
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "common/error.h"
#include "platform/host_window.h"

namespace lv::platform {
namespace {

struct ConnectionCloser {
    void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using Connection = std::unique_ptr<xcb_connection_t, ConnectionCloser>;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

Connection Connect() {
    Connection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()))
        throw Error("cannot connect to the X display (is DISPLAY set?)");
    return connection;
}

std::string WindowText(NativeWindow window) { return "window " + std::to_string(window); }

}  // namespace

WindowSize WaitForVisibleHostWindow(NativeWindow window, std::chrono::milliseconds timeout) {
    const Connection connection = Connect();
    const auto id = static_cast<xcb_window_t>(window);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (bool first = true;;) {
        ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection.get(),
                                            xcb_get_window_attributes(connection.get(), id),
                                            nullptr),
            &std::free);
        if (!attributes) {
            if (first)
                throw MissingHostWindowError("the host window does not exist", WindowText(window));
            throw Error("the host window went away", WindowText(window));
        }
        first = false;
        if (attributes->map_state == XCB_MAP_STATE_VIEWABLE) break;
        if (std::chrono::steady_clock::now() > deadline)
            throw Error("the host window was not shown in time", WindowText(window));
        // A short pause keeps the wait from spinning a processor core at full load.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection.get(), xcb_get_geometry(connection.get(), id), nullptr),
        &std::free);
    if (!geometry) throw Error("the host window went away", WindowText(window));
    return {geometry->width, geometry->height};
}

void PutPictureOnHostWindow(NativeWindow window, const Bitmap32& picture) {
    if (picture.Empty()) return;
    const Connection connection = Connect();
    xcb_connection_t* c = connection.get();
    const auto id = static_cast<xcb_window_t>(window);
    ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), &std::free);
    if (!geometry) throw Error("the host window does not exist", WindowText(window));
    // 24- and 32-bit TrueColor visuals take 32-bit pixels in the server's byte order, which is
    // the 0x00RRGGBB word of our bitmaps on little-endian machines.
    if (geometry->depth != 24 && geometry->depth != 32)
        throw Error("the host window's colour depth " + std::to_string(geometry->depth) +
                        " is not supported",
                    WindowText(window));

    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, id, 0, nullptr);
    // Requests have a size limit; send the picture in bands of rows that fit.
    const uint32_t maxRequestBytes = xcb_get_maximum_request_length(c) * 4u;
    const size_t rowBytes = static_cast<size_t>(picture.Width()) * 4;
    const int rowsPerBand =
        static_cast<int>(std::max<size_t>(1, (maxRequestBytes - 64) / std::max<size_t>(rowBytes, 1)));
    for (int y = 0; y < picture.Height(); y += rowsPerBand) {
        const int rows = std::min(rowsPerBand, picture.Height() - y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, id, gc, static_cast<uint16_t>(picture.Width()),
                      static_cast<uint16_t>(rows), 0, static_cast<int16_t>(y), 0, geometry->depth,
                      static_cast<uint32_t>(rowBytes * static_cast<size_t>(rows)),
                      reinterpret_cast<const uint8_t*>(picture.Row(y)));
    }
    xcb_free_gc(c, gc);
    // Round trip, so the picture has reached the server before we disconnect and end.
    ReplyPtr<xcb_get_input_focus_reply_t> sync(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr), &std::free);
}

}  // namespace lv::platform
