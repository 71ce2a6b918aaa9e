#pragma once

// The POSIX calls the tests' scratch folders and environments use, over MinGW's C library;
// included in every Windows test source by the build.
#include <direct.h>
#include <io.h>
#include <stdlib.h>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && getenv(name)) return 0;
    return _putenv_s(name, value);
}

// Windows removes a variable that is set to the empty text.
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }

inline char* mkdtemp(char* pattern) {
    if (!_mktemp(pattern) || _mkdir(pattern) != 0) return nullptr;
    return pattern;
}
