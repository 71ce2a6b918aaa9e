#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gui/forms/component_classes.h"
#include "gui/forms/component_text.h"
#include "gui/forms/form_definitions.h"

namespace lv {

// The project texts that stand in for placeholders in captions and binding parameters.
struct FormPlaceholders {
    std::string ScreensaverName;  // "<ScreensaverName>": [General] ProductName
    std::string CompanyName;      // "<CompanyName>": [General] Publisher
    std::string Website;          // "<Website>": [General] Website
};

// Replaces every "<ScreensaverName>", "<CompanyName>" and "<Website>" (letter case as written)
// in one left-to-right pass: inserted text is not searched again, so a product name that
// itself contains a placeholder is shown as it is.
std::string ReplacePlaceholders(std::string_view text, const FormPlaceholders& placeholders);

// The description lines the builder parses, from a copy of the definition's lines: the first
// line becomes "object <Name>: TfmLVConfigWindow"; every line is trimmed; event lines
// ("On" + a character that is not a lower-case letter: OnClick, not OnlineHelp), BorderIcons,
// BorderStyle and FormStyle lines are dropped, and so is the first Visible line of the text.
std::vector<std::string> FilterDescriptionLines(const FormDefinition& form);

// The component tree of a definition ready to be instantiated: the filtered lines parsed, and
// the placeholders replaced inside every string value. Replacing after parsing keeps a product
// name with a quote or '#' in it from breaking the text. Raises lv::Error naming `fileName`
// and the line as the file counts it (from the definition's FirstLine) for a text outside the
// grammar or a component class the builder does not know.
ComponentNode PrepareFormTree(const FormDefinition& form, const FormPlaceholders& placeholders,
                              const std::string& fileName);

// Replaces the placeholders in every string of the tree: properties, lists, collection items.
void ReplacePlaceholdersInTree(ComponentNode& node, const FormPlaceholders& placeholders);

// Raises lv::Error "line N: unknown component class 'X'" for the first block of the tree,
// the window's included, whose class is not known.
void CheckComponentClasses(const ComponentNode& node, const std::string& fileName);

// Bit 0 of a component's Tag decides whether the configuration window shows it. A tab page
// keeps its own visibility: nullopt.
std::optional<bool> VisibleByTag(ComponentClass componentClass, int64_t tag);
// The Tag of a block (0 when it sets none).
int64_t ComponentTag(const ComponentNode& node);

// The six flags every built window publishes, False unless its description sets them.
struct BaseFormFlags {
    bool NoFrame = false;
    bool Sizeable = false;
    bool ShowButtons = false;
    bool MaximizeButton = false;
    bool MinimizeButton = false;
    bool MaximizeOnShow = false;
};

// Reads the flags from the window's block. A value other than True or False raises lv::Error
// naming `fileName` and the line.
BaseFormFlags ReadBaseFormFlags(const ComponentNode& window, const std::string& fileName);

enum class WindowBorder { None, Sizeable, Single };

// The frame a built window gets, starting from no border icons at all.
struct WindowFrame {
    WindowBorder Border = WindowBorder::Single;
    bool SystemMenu = false;  // with its close box
    bool MaximizeBox = false;
    bool MinimizeBox = false;
    bool Maximized = false;
};

WindowFrame FrameOf(const BaseFormFlags& flags);

}  // namespace lv
