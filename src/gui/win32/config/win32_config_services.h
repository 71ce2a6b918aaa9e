#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "gui/config/config_places.h"
#include "gui/config/config_settings.h"

namespace lv {

class Project;

// What the Win32 configuration windows ask of the desktop, the user and the rest of the program.
// The program hands them in; tests hand in ones that record instead of blocking. Every member
// is set.
struct Win32ConfigServices {
    // Runs the Settings dialog over `values`; true, with the values changed, for OK. OK is
    // disabled unless `canStore`.
    std::function<bool(HWND owner, UserSettingValues& values, bool canStore)> EditSettings;
    // A Yes/No question; true for Yes.
    std::function<bool(HWND owner, const std::string& text)> Confirm;
    // A message with an OK button; `icon` is MB_ICONERROR, MB_ICONWARNING or MB_ICONINFORMATION.
    std::function<void(HWND owner, UINT icon, const std::string& text)> Message;
    // Hands an address or a file to the desktop's handler; false when nothing took it.
    std::function<bool(const std::string& target)> Open;
    // Plays one picture of the project full screen and returns when that show ends.
    std::function<void(const Project& project, const std::string& file)> PlayPicture;
    // Makes the BMP file the desktop wallpaper; returns a text for the user, "" for none.
    std::function<std::string(const std::string& bmpPath)> SetWallpaper;
    // A line for the program's log.
    std::function<void(const std::string& line)> Log;
};

// The desktop's own services: the Settings dialog, MessageBoxA, ShellExecuteA, the system
// wallpaper and the debugger output. PlayPicture stays empty: the program binds it.
Win32ConfigServices DesktopWin32ConfigServices();

// How this run was started and what its windows may use; it must outlive them.
struct Win32ConfigContext : ConfigPlaces {
    Win32ConfigServices Services;
};

}  // namespace lv
