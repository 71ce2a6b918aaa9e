#pragma once

#include <string>

#include "gui/forms/component_text.h"
#include "gui/win32/forms/win32_component_state.h"

namespace lv {

// Applies one property line to a component through its class's table, then the lines every
// component has (a tab page takes only Tag, Color and Font lines: its control places it). Names
// the class does not have are skipped. A value that does not fit raises lv::Error with the
// reason; the builder adds the file, line and property.
void ApplyWin32ComponentProperty(Win32ComponentState& state, const ComponentProperty& property);

// Settles what needs all of a block's lines: the font, the colours, a label's automatic size,
// a picture button's size.
void FinishWin32Component(Win32ComponentState& state);

// The window's own lines: its title, client size, colour and font. ActiveControl is returned
// through `activeControl` for the builder to resolve once every component exists.
void ApplyWin32WindowProperty(Win32ComponentState& window, const ComponentProperty& property,
                              std::string& activeControl);

// The component's place in its parent's client coordinates.
RECT PlaceOf(HWND window);

// The text of a component or window, as the ANSI calls give it.
std::string WindowTextOf(HWND window);

}  // namespace lv
