// Windows' C library reports no file numbers in stat, so a file is told by its volume and its
// file index.
#include <windows.h>
#include <io.h>

#include "platform/file_identity.h"

namespace lv::platform {
namespace {

bool Identify(HANDLE file, BY_HANDLE_FILE_INFORMATION& information) {
    return file != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(file, &information);
}

}  // namespace

bool IsSameFile(int fd, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION held{};
    if (!Identify(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)), held)) return false;
    const HANDLE current = ::CreateFileA(path.c_str(), 0,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    BY_HANDLE_FILE_INFORMATION now{};
    const bool same = Identify(current, now) &&
                      held.dwVolumeSerialNumber == now.dwVolumeSerialNumber &&
                      held.nFileIndexHigh == now.nFileIndexHigh &&
                      held.nFileIndexLow == now.nFileIndexLow;
    if (current != INVALID_HANDLE_VALUE) ::CloseHandle(current);
    return same;
}

}  // namespace lv::platform
