#pragma once

#include <string_view>

namespace lv {

// Virtual key codes the show tells apart; the front end maps its own key codes onto these
// (every other key may be passed as OtherKey).
inline constexpr int VirtualKeyF1 = 112;
inline constexpr int VirtualKeyF2 = 113;
inline constexpr int OtherKey = 0;

inline constexpr int MouseMovesIgnoredAfterClose = 5;

// What the window does with an input event.
enum class InputResponse {
    None,
    RequestClose,
    RestoreGenerator,  // every second F1: put the water back to its still state
};

// Which input ends the show. The values live for the whole program run, not per show, so a
// second show in the same run (a single picture played from the configuration window) starts
// with the mouse state the first left behind:
//  - the first five mouse moves of the run, and the five after each close request, are ignored
//    (a window appearing or a refused password check produces stray moves);
//  - a move closes only when it jumps more than 2 pixels in x or y from the previous event, so
//    a slowly drifting or trembling mouse never closes the show;
//  - any mouse button, and any key that produces a character, closes; keys that produce none
//    (arrows, F-keys, Shift, Ctrl, Alt) do not, and the wheel is not input here;
//  - F1 toggles a flag; when it was set before (every second press) the water is restored.
class ShowInputRules {
public:
    // Start of a show: F1 state and the last mouse position are forgotten, the number of moves
    // still to ignore is kept.
    void StartShow();

    InputResponse MouseMove(int x, int y);
    InputResponse MouseDown() { return InputResponse::RequestClose; }

    // A key going down. `text` is what the key types ("" for keys that type nothing); Delete
    // types nothing here, whatever a toolkit reports for it.
    InputResponse KeyDown(int virtualKey, std::string_view text);

    // A close request is being decided: whatever the answer, the next moves are ignored.
    void CloseQuery() { mouseMovesToIgnore_ = MouseMovesIgnoredAfterClose; }

    int MouseMovesToIgnore() const { return mouseMovesToIgnore_; }
    int LastMouseX() const { return lastMouseX_; }
    int LastMouseY() const { return lastMouseY_; }
    bool F1Flag() const { return f1Flag_; }

private:
    int mouseMovesToIgnore_ = MouseMovesIgnoredAfterClose;
    int lastMouseX_ = -1;
    int lastMouseY_ = -1;
    bool f1Flag_ = false;
};

// The program run's one instance.
ShowInputRules& ProgramInputRules();

}  // namespace lv
