#pragma once

// The few POSIX file calls the core uses that MinGW's C library lacks, over their Win32
// equivalents. The build includes this header in every Windows source (-include), so the core
// keeps one set of file code for both systems.
//
// Where Windows has no equivalent the call does what is safe there: there are no symbolic
// links to refuse (O_NOFOLLOW), no file modes beyond read-only (fchmod) and no user ids in
// stat (geteuid).
#include <windows.h>
// io.h and the others after windows.h, which they do not need.
#include <direct.h>
#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

// Every open() of the core passes O_CLOEXEC, so it also asks for binary mode here: the C runtime
// otherwise turns LF into CR LF on writing and back on reading, and stops reading at a ^Z byte.
// MinGW's binmode.o, which would change the default, is empty in this toolchain.
#ifndef O_CLOEXEC
#define O_CLOEXEC (_O_NOINHERIT | _O_BINARY)
#endif
#ifndef O_NOFOLLOW
#define O_NOFOLLOW 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
// Windows opens no folder as a file: such an open fails and the caller goes on without it.
#ifndef O_DIRECTORY
#define O_DIRECTORY 0
#endif
#ifndef S_ISLNK
#define S_ISLNK(mode) 0
#endif

#define LOCK_SH 1
#define LOCK_EX 2
#define LOCK_NB 4
#define LOCK_UN 8

// Windows reports its one write permission for group and others too; the user's temporary
// folder is private to the user, so only the user's own bits are kept.
inline int lstat(const char* path, struct stat* st) {
    const int result = stat(path, st);
    if (result == 0) st->st_mode &= ~077;
    return result;
}

inline int lv_mkdir(const char* path, mode_t) { return _mkdir(path); }
#define mkdir lv_mkdir

inline int fchmod(int, mode_t) { return 0; }

inline int geteuid() { return 0; }

// Reads at an offset without the descriptor's position mattering to anyone else.
inline ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return -1;
    }
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset) & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
    DWORD read = 0;
    const DWORD wanted = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
    if (!ReadFile(handle, buffer, wanted, &read, &at)) {
        if (GetLastError() == ERROR_HANDLE_EOF) return 0;
        errno = EIO;
        return -1;
    }
    return static_cast<ssize_t>(read);
}

// The kernel copy does not exist; callers fall back to reading and writing.
inline ssize_t copy_file_range(int, off_t*, int, off_t*, size_t, unsigned) {
    errno = ENOSYS;
    return -1;
}

// Whole-file locks through LockFileEx, which Windows releases when the handle closes.
inline int flock(int fd, int operation) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return -1;
    }
    OVERLAPPED whole{};
    if (operation & LOCK_UN) {
        UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &whole);
        return 0;
    }
    DWORD flags = (operation & LOCK_EX) ? LOCKFILE_EXCLUSIVE_LOCK : 0;
    if (operation & LOCK_NB) flags |= LOCKFILE_FAIL_IMMEDIATELY;
    if (LockFileEx(handle, flags, 0, MAXDWORD, MAXDWORD, &whole)) return 0;
    errno = EWOULDBLOCK;
    return -1;
}
