#pragma once

#include <windows.h>

namespace lv {

// Handles the thread's messages until `running` turns false, with `owner` (when there is one)
// disabled meanwhile, then enables the owner and hides `window`. Dialog keys (Tab, Enter, Esc)
// go to `window`'s controls. A WM_QUIT ends the loop and is posted again for the loop outside.
void RunModalLoop(HWND window, HWND owner, const bool& running);

}  // namespace lv
