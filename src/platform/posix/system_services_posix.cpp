#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/system_services.h"

namespace lv::platform {
namespace {

// Runs a program without a shell, so a path with quotes or spaces cannot change the command.
bool Run(const char* program, const std::string& a1, const std::string& a2,
         const std::string& a3, const std::string& a4) {
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        ::execlp(program, program, a1.c_str(), a2.c_str(), a3.c_str(), a4.c_str(),
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool HasPasswordChangeDialog() { return false; }

void ChangeScreenSaverPassword(NativeWindow) {}

bool HasLegacyScreenSaverPassword() { return false; }

void SetScreenSaverRunning(bool) {}

bool MayCloseScreenSaver(NativeWindow) { return true; }

std::string SetDesktopWallpaper(const std::string& bmpPath) {
    const std::string uri = "file://" + bmpPath;
    const bool light = Run("gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri);
    const bool dark =
        Run("gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark", uri);
    if (light || dark) {
        Run("gsettings", "set", "org.gnome.desktop.background", "picture-options", "centered");
        return {};
    }
    return "The wallpaper picture was written to\n" + bmpPath +
           "\nThis desktop offers no way to set it automatically; please choose it in the "
           "desktop's settings.";
}

}  // namespace lv::platform
