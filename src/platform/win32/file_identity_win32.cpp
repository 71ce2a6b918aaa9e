#include <windows.h>

#include <io.h>

#include "platform/file_identity.h"

namespace lv::platform {
namespace {

bool IdentityOf(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
    return file != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(file, &info) != 0;
}

}  // namespace

bool IsSameFile(int fd, const std::string& path) {
    BY_HANDLE_FILE_INFORMATION held{};
    if (!IdentityOf(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)), held)) return false;
    // Opened for no access at all, sharing everything, so no other user of the file notices.
    HANDLE named = ::CreateFileA(path.c_str(), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION current{};
    const bool known = IdentityOf(named, current);
    if (named != INVALID_HANDLE_VALUE) ::CloseHandle(named);
    return known && held.dwVolumeSerialNumber == current.dwVolumeSerialNumber &&
           held.nFileIndexHigh == current.nFileIndexHigh &&
           held.nFileIndexLow == current.nFileIndexLow;
}

}  // namespace lv::platform
