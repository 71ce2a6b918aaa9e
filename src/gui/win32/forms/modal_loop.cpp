#include "gui/win32/forms/modal_loop.h"

namespace lv {

void RunModalLoop(HWND window, HWND owner, const bool& running) {
    if (owner) EnableWindow(owner, FALSE);
    MSG message;
    while (running) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    // The owner is enabled before this window hides, so it gets the activation back.
    if (owner) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
    ShowWindow(window, SW_HIDE);
}

}  // namespace lv
