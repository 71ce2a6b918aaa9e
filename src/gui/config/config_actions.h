#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/bitmap32.h"

namespace lv {

// The picture a window moves to when asked for picture n of `pictureCount`: past the end it
// stays on the last picture, before the start on the first, and an empty list gives 0.
int ClampPictureIndex(int n, size_t pictureCount);

// The question asked before the current picture becomes the desktop wallpaper.
inline constexpr const char* WallpaperQuestion =
    "You are about to set selected picture as a wallpaper.\r\nDo you want to proceed?";

// The wallpaper file of the program started as `startedPath`: that path with ".bmp" appended
// ("Sky.scr" -> "Sky.scr.bmp") when that file exists or the folder is writable, otherwise the
// same name in $XDG_DATA_HOME/lorvane/ (an installed saver's folder belongs to the system).
std::string WallpaperPath(const std::string& startedPath);

// The picture to use as wallpaper: an image package's (".lvp", letter case ignored) own
// picture, any other file decoded by its extension. Errors name the file.
Bitmap32 LoadWallpaperPicture(const std::string& file);

// Stores the picture as a 24-bit BMP, replacing any earlier file without ever leaving half a
// file behind. Errors name the file.
void WriteWallpaperFile(const std::string& path, const Bitmap32& picture);

// The open-document action runs text that comes from the saver's package, which anyone may have
// made. It is meant for the saver's web site, a mail address and documents the package brings
// along, so only those are opened: http, https and mailto addresses, and regular files inside
// the working folder that are neither programs (an execute permission, an executable or script
// type, an ELF or "#!" start) nor desktop entries, which would run a command when opened.
struct OpenDecision {
    enum class What { Address, File, Refused };
    What Kind = What::Refused;
    std::string Target;  // the address, or the file's canonical path
    std::string Reason;  // for a refusal: what is wrong, for the log
};

// `parameter` is the binding's first parameter with its placeholders replaced; a relative path
// (with "/" or "\" separators) is taken from `workingFolder`. Looks at the file system (the
// file's kind, permissions and first bytes) but changes nothing.
//
// Saver authors often give their web site without a scheme ("www.example.org"). A text without
// a scheme that names no file in the working folder is opened as an https address when it
// starts with "www." or with the project's `website` setting.
OpenDecision DecideOpenDocument(std::string_view parameter, const std::string& workingFolder,
                                std::string_view website = {});

}  // namespace lv
