#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

// One binding of a form definition: a click on the component named ComponentName runs action
// number Kind with three text parameters (a single space where the action takes none).
struct ActionBinding {
    std::string ComponentName;
    int32_t Kind = 0;
    std::string Param1;
    std::string Param2;
    std::string Param3;
};

// The binding table of one form definition, in table order. Its text is
//   B                       number of bindings
//   name, kind, p1, p2, p3  five lines per binding
class ActionBindings {
public:
    // Parses a binding table given as text (lines ended by CR LF, CR or LF). An empty text, or
    // B <= 0, gives no bindings. Raises lv::Error naming `fileName` and the line (numbered
    // from `firstLine`, the table's first line in that file) for a count or action number that
    // is not a decimal integer, or a table shorter than its B bindings need.
    void LoadBindings(std::string_view text, const std::string& fileName = {}, int firstLine = 1);

    // The first binding of that component name, letter case ignored; nullptr when none.
    const ActionBinding* FindAction(std::string_view componentName) const;

    const std::vector<ActionBinding>& Actions() const { return actions_; }
    void Clear() { actions_.clear(); }

private:
    std::vector<ActionBinding> actions_;
};

// What a click runs: the low 8 bits of a binding's Kind pick the action, so kind 256 is kind 0.
// Numbers without an action (7, 8, 10 ... 255) do nothing.
enum class ActionKind {
    OpenDocument,     // 0: open Param1 (address or path) with the desktop's handler
    OpenWindow,       // 1: build and show the definition named Param1, modally
    NextPicture,      // 2
    PreviousPicture,  // 3
    PlayPicture,      // 4: show the current picture full screen
    OpenSettings,     // 5
    CloseWindow,      // 6
    SetWallpaper,     // 9: after confirmation
    None,
};

ActionKind ActionKindOf(int32_t kind);

}  // namespace lv
