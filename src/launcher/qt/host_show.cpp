#include "launcher/qt/host_show.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "launcher/qt/orderly_end.h"
#include "saver/qt/host_embedding.h"

namespace lv {
namespace {

std::string OneLine(std::string text) {
    for (const char* lineBreak : {"\r\n", "\n"}) {
        for (size_t at = text.find(lineBreak); at != std::string::npos; at = text.find(lineBreak))
            text.replace(at, std::string(lineBreak).size(), " ");
    }
    return text;
}

std::string HexWindow(platform::NativeWindow window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(window));
    return text;
}

}  // namespace

HostShow HostShowFor(const CommandLine& line) {
    HostShow show;
    if (line.showInHostWindow) {
        show = {true, ShowPlacement::HostWindow, line.hostWindow, "-window-id"};
    } else if (line.showInRootWindow) {
        // xscreensaver draws its hacks into a window of its own that covers the screen and
        // names it here; the real root window would be hidden behind it.
        if (const auto saverWindow = SaverWindowFromEnvironment(std::getenv("XSCREENSAVER_WINDOW")))
            show = {true, ShowPlacement::HostWindow, *saverWindow, "XSCREENSAVER_WINDOW"};
        else
            show = {true, ShowPlacement::RootWindow, 0, "-root"};
    }
    return show;
}

void CheckHostWindowExists(const HostShow& show) {
    if (show.Placement != ShowPlacement::HostWindow) return;
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    if (!ForeignWindowSize(show.Window))
        throw UsageError(show.WindowOrigin + " " + HexWindow(show.Window) +
                         " names no window on this display");
}

MessageBoxFunction HostMessageFunction(OrderlyEnd& end, bool& failed) {
    return [&end, &failed](MessageKind, const std::string& text) {
        std::fprintf(stderr, "lvcsaver: %s\n", OneLine(text).c_str());
        failed = true;
        end.Request();
    };
}

}  // namespace lv
