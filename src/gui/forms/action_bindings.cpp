#include "gui/forms/action_bindings.h"

#include <charconv>

#include "common/ascii_case.h"
#include "common/error.h"
#include "gui/forms/line_text.h"

namespace lv {
namespace {

// Splits at CR LF, a lone CR or a lone LF. A final line break ends the last line, it does not
// start an empty one.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string Quoted(std::string_view line) {
    constexpr size_t Shown = 40;
    return "'" + std::string(line.substr(0, Shown)) + (line.size() > Shown ? "...'" : "'");
}

}  // namespace

void ActionBindings::LoadBindings(std::string_view text, const std::string& fileName,
                                  int firstLine) {
    actions_.clear();
    const auto lines = SplitLines(text);
    if (lines.empty()) return;
    const auto fail = [&](size_t index, const std::string& message) {
        throw Error(
            "line " + std::to_string(firstLine + static_cast<int64_t>(index)) + ": " + message,
            fileName);
    };
    int32_t count = 0;
    if (!ParseDecimalInteger(lines[0], count))
        fail(0, "expected the number of bindings, found " + Quoted(lines[0]));
    if (count <= 0) return;
    // Checked before anything is allocated, so a huge count in a short file costs nothing.
    const size_t available = (lines.size() - 1) / 5;
    if (static_cast<size_t>(count) > available)
        fail(0, "expected " + std::to_string(count) + " bindings of 5 lines, found " +
                    std::to_string(lines.size() - 1) + " lines");
    actions_.reserve(static_cast<size_t>(count));
    for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
        const size_t at = 1 + 5 * i;
        ActionBinding action;
        action.ComponentName = lines[at];
        if (!ParseDecimalInteger(lines[at + 1], action.Kind))
            fail(at + 1, "expected an action number, found " + Quoted(lines[at + 1]));
        action.Param1 = lines[at + 2];
        action.Param2 = lines[at + 3];
        action.Param3 = lines[at + 4];
        actions_.push_back(std::move(action));
    }
}

const ActionBinding* ActionBindings::FindAction(std::string_view componentName) const {
    for (const auto& action : actions_)
        if (EqualsIgnoreCase(action.ComponentName, componentName)) return &action;
    return nullptr;
}

ActionKind ActionKindOf(int32_t kind) {
    switch (static_cast<uint32_t>(kind) & 0xFF) {
        case 0:
            return ActionKind::OpenDocument;
        case 1:
            return ActionKind::OpenWindow;
        case 2:
            return ActionKind::NextPicture;
        case 3:
            return ActionKind::PreviousPicture;
        case 4:
            return ActionKind::PlayPicture;
        case 5:
            return ActionKind::OpenSettings;
        case 6:
            return ActionKind::CloseWindow;
        case 9:
            return ActionKind::SetWallpaper;
        default:
            return ActionKind::None;
    }
}

}  // namespace lv
