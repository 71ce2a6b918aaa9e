// The Windows services: password dialogs of Windows 95/98/Me, the screensaver-running flag and
// the wallpaper through the registry and SystemParametersInfoA.
#include <windows.h>

#include <string>

#include "platform/system_services.h"

namespace lv::platform {
namespace {

std::string SystemFolder() {
    char buffer[260] = {};
    const UINT length = ::GetSystemDirectoryA(buffer, sizeof buffer);
    std::string folder(buffer, length < sizeof buffer ? length : 0);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

HWND ToWindow(NativeWindow window) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(window)); }

// Holds a library loaded from the system folder and frees it on every path out.
class SystemLibrary {
public:
    explicit SystemLibrary(const char* name)
        : module_(::LoadLibraryA((SystemFolder() + name).c_str())) {}
    ~SystemLibrary() {
        if (module_) ::FreeLibrary(module_);
    }
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    template <typename Function>
    Function Find(const char* exportName) const {
        return module_ ? reinterpret_cast<Function>(
                             reinterpret_cast<void*>(::GetProcAddress(module_, exportName)))
                       : nullptr;
    }

private:
    HMODULE module_;
};

}  // namespace

bool HasPasswordChangeDialog() { return true; }

void ChangeScreenSaverPassword(NativeWindow parent) {
    using PwdChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
    const SystemLibrary mpr("MPR.DLL");
    if (const auto change = mpr.Find<PwdChangePassword>("PwdChangePasswordA"))
        change("SCRSAVE", ToWindow(parent), 0, 0);
}

bool HasLegacyScreenSaverPassword() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

void SetScreenSaverRunning(bool running) {
    if (!HasLegacyScreenSaverPassword()) return;
    BOOL previous = FALSE;
    ::SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

bool MayCloseScreenSaver(NativeWindow window) {
    if (!HasLegacyScreenSaverPassword()) return true;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return true;
    ::ShowCursor(TRUE);
    bool allow = true;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    if (::RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, &type,
                           reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && value != 0) {
        using VerifyScreenSavePwd = BOOL(WINAPI*)(HWND);
        const SystemLibrary library("PASSWORD.CPL");
        if (const auto verify = library.Find<VerifyScreenSavePwd>("VerifyScreenSavePwd"))
            allow = verify(ToWindow(window)) != 0;
    }
    ::RegCloseKey(key);
    ::ShowCursor(FALSE);
    return allow;
}

std::string SetDesktopWallpaper(const std::string& bmpPath) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return "The wallpaper picture was written to\n" + bmpPath;
    ::RegSetValueExA(key, "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>("0"), 2);
    ::RegCloseKey(key);
    ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(bmpPath.c_str()),
                            SPIF_UPDATEINIFILE);
    return {};
}

}  // namespace lv::platform
