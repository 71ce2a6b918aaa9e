#pragma once

#include <cstdint>
#include <string>

// Services that only some systems offer: the old screensaver password dialogs, the
// screensaver-running flag and the desktop wallpaper. Windows has them; on Linux the password
// change ends at once, a close is always allowed, and the wallpaper goes through the desktop's
// settings where it offers a way.
namespace lv::platform {

// Window handles travel as the integers the host passed on the command line.
using NativeWindow = uint64_t;

// Whether the system has a screensaver password-change dialog (`/A`).
bool HasPasswordChangeDialog();

// The system's password-change dialog for the screensaver provider, parented to `parent`.
void ChangeScreenSaverPassword(NativeWindow parent);

// Whether this is a system that keeps the screensaver password itself (Windows 95/98/Me).
bool HasLegacyScreenSaverPassword();

// Tells a legacy system that a saver runs, so it blocks task switching meanwhile.
void SetScreenSaverRunning(bool running);

// The close check of the show: asks for the password when the system wants one. Every missing
// piece (key, value, library, export) allows the close; so does every other system.
bool MayCloseScreenSaver(NativeWindow window);

// Makes `bmpPath` the desktop wallpaper, not tiled. Returns a text for the user that says what
// happened ("" when the wallpaper was set the system's usual way).
std::string SetDesktopWallpaper(const std::string& bmpPath);

}  // namespace lv::platform
