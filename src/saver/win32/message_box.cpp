#include "saver/win32/message_box.h"

#include <windows.h>

namespace lv::win32 {

void StandardMessageBox(MessageKind kind, const std::string& text) {
    const UINT icon = kind == MessageKind::Information ? MB_ICONINFORMATION : MB_ICONERROR;
    // Owned by the active window (the show's, which is topmost), so the box opens above it.
    ::MessageBoxA(::GetActiveWindow(), text.c_str(), " ", MB_OK | icon | MB_TOPMOST);
}

}  // namespace lv::win32
