#include "gui/win32/config/win32_config_services.h"

#include <shellapi.h>

#include <cstdio>

#include "gui/win32/config/win32_settings_dialog.h"
#include "platform/system_services.h"

namespace lv {

Win32ConfigServices DesktopWin32ConfigServices() {
    Win32ConfigServices services;
    services.EditSettings = RunSettingsDialog;
    services.Confirm = [](HWND owner, const std::string& text) {
        return MessageBoxA(owner, text.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
    };
    services.Message = [](HWND owner, UINT icon, const std::string& text) {
        const char* title = icon == MB_ICONERROR     ? "Error"
                            : icon == MB_ICONWARNING ? "Warning"
                                                     : "Information";
        MessageBoxA(owner, text.c_str(), title, MB_OK | icon);
    };
    services.Open = [](const std::string& target) {
        // Values above 32 mean the shell started something.
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        return result > 32;
    };
    services.SetWallpaper = [](const std::string& bmpPath) {
        return platform::SetDesktopWallpaper(bmpPath);
    };
    // A program started from a console shows the line there; a debugger shows it too.
    services.Log = [](const std::string& line) {
        std::fprintf(stderr, "%s\n", line.c_str());
        OutputDebugStringA((line + "\n").c_str());
    };
    return services;
}

}  // namespace lv
