#pragma once

#include <functional>
#include <string>

namespace lv::win32 {

inline constexpr const char* NoImageMessage = "No image found in Images List.";

enum class MessageKind { Information, Error };

// Shows a modal message box with an OK button. Tests pass one that records instead of blocking.
using MessageBoxFunction = std::function<void(MessageKind kind, const std::string& text)>;

// The system's message box, titled with the program's blank caption.
void StandardMessageBox(MessageKind kind, const std::string& text);

}  // namespace lv::win32
