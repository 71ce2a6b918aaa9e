#pragma once

#include <chrono>

#include "common/bitmap32.h"
#include "common/error.h"
#include "platform/system_services.h"

// A window of the host, given by its handle on the command line: the still preview is drawn
// straight onto it (not into a child window of ours), so the picture stays after we have ended.
namespace lv::platform {

struct WindowSize {
    int width = 0;
    int height = 0;
};

// The handle names no window at all: the caller was given a wrong one.
class MissingHostWindowError : public Error {
public:
    using Error::Error;
};

// Waits until the host window is shown and returns its size. Raises MissingHostWindowError when
// the window does not exist, lv::Error when there is no display, the window goes away, or
// `timeout` passes first.
WindowSize WaitForVisibleHostWindow(NativeWindow window, std::chrono::milliseconds timeout);

// Puts `picture` onto the host window at (0, 0), 1:1 (the caller has stretched it already).
void PutPictureOnHostWindow(NativeWindow window, const Bitmap32& picture);

}  // namespace lv::platform
