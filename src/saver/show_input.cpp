#include "saver/show_input.h"

#include <cstdlib>

namespace lv {

namespace {

constexpr int MouseMoveThreshold = 2;
constexpr char DeleteCharacter = '\x7f';

}  // namespace

void ShowInputRules::StartShow() {
    f1Flag_ = false;
    lastMouseX_ = -1;
    lastMouseY_ = -1;
}

InputResponse ShowInputRules::MouseMove(int x, int y) {
    if (mouseMovesToIgnore_ > 0) {
        --mouseMovesToIgnore_;
        return InputResponse::None;
    }
    if (lastMouseX_ == -1) {
        lastMouseX_ = x;
    }
    if (lastMouseY_ == -1) {
        lastMouseY_ = y;
    }
    // 64-bit differences: coordinates far off screen must not overflow.
    const bool jumped = std::llabs(static_cast<long long>(x) - lastMouseX_) > MouseMoveThreshold ||
                        std::llabs(static_cast<long long>(y) - lastMouseY_) > MouseMoveThreshold;
    lastMouseX_ = x;
    lastMouseY_ = y;
    return jumped ? InputResponse::RequestClose : InputResponse::None;
}

InputResponse ShowInputRules::KeyDown(int virtualKey, std::string_view text) {
    if (virtualKey == VirtualKeyF1) {
        const bool wasSet = f1Flag_;
        f1Flag_ = !f1Flag_;
        return wasSet ? InputResponse::RestoreGenerator : InputResponse::None;
    }
    if (text.empty() || (text.size() == 1 && text[0] == DeleteCharacter)) {
        return InputResponse::None;
    }
    return InputResponse::RequestClose;
}

ShowInputRules& ProgramInputRules() {
    static ShowInputRules rules;
    return rules;
}

}  // namespace lv
