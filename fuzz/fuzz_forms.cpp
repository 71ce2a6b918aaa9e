// Form definitions: the definition file with its binding tables, then each description text
// through the component parser.
#include <exception>
#include <string_view>

#include "gui/forms/component_text.h"
#include "gui/forms/form_definitions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    lv::FormDefinitions forms;
    try {
        forms.LoadFromText(text, "input.lvu");
    } catch (const std::exception&) {
        // The definitions completed before the bad record stay loaded and are parsed below.
    }
    for (const lv::FormDefinition& form : forms.Forms()) {
        try {
            (void)lv::ParseComponentText(form.Description(), "input.lvu", form.FirstLine);
        } catch (const std::exception&) {
        }
        (void)forms.FindForm(form.Name);
    }
    // The raw input as a single description, so the parser sees texts the file format would wrap.
    try {
        (void)lv::ParseComponentText(text, "input.dfm");
    } catch (const std::exception&) {
    }
    return 0;
}
