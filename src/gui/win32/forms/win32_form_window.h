#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gui/forms/component_classes.h"
#include "gui/forms/form_prepare.h"

namespace lv {

enum class Win32Align { None, Top, Bottom, Left, Right, Client };

// How a standard control (label, check box, text box) is coloured: the top-level window answers
// their WM_CTLCOLOR* requests from this.
struct ControlColors {
    std::optional<COLORREF> Background;  // none: the parent's background shows through
    std::optional<COLORREF> Text;
};

// The top-level window a form definition is built into: it owns the components' windows, their
// fonts and brushes, turns clicks into ComponentClicked and runs modally.
class Win32FormWindow {
public:
    struct Component {
        std::string Name;
        std::string ClassName;  // as the definition spells it, e.g. "TJetButton"
        ComponentClass Class = ComponentClass::Form;
        HWND Window = nullptr;
        int64_t Tag = 0;
        Win32Align Align = Win32Align::None;
    };

    // Makes the window, hidden; `owner` is disabled while it runs modally.
    explicit Win32FormWindow(HWND owner = nullptr);
    ~Win32FormWindow();
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND Owner() const { return owner_; }

    std::string FormName;
    BaseFormFlags Flags;
    std::optional<COLORREF> Color;  // the window's background; none: the dialog face colour

    // A completed click on a component of a class that takes click bindings.
    std::function<void(const std::string& componentName)> ComponentClicked;
    // The close box or Alt+F4; without a handler the window ends its modal run.
    std::function<void()> CloseRequested;

    // Every component in creation order; a component's id is its index + 1.
    const std::vector<Component>& Components() const { return components_; }
    int NextComponentId() const { return static_cast<int>(components_.size()) + 1; }
    void AddComponent(Component component) { components_.push_back(std::move(component)); }
    Component* ComponentWithId(int id);
    Component* ComponentOf(HWND window);
    // The first component of that name, letter case ignored; nullptr when none.
    const Component* FindComponent(const std::string& name) const;

    // The window keeps the font until it is destroyed.
    HFONT KeepFont(HFONT font);
    void SetControlColors(HWND control, ControlColors colors) { colors_[control] = colors; }
    // The colour a child of `parent` shows where it paints nothing.
    COLORREF BackgroundOf(HWND parent) const;

    // Tab pages in the order they were added; the control shows the selected one.
    // Adds the page and its tab.
    void AddPage(HWND tabs, HWND page);
    // The page's place among the pages of `tabs`; -1 when it is not one of them.
    int PageIndexOf(HWND tabs, HWND page) const;
    void ShowSelectedPage(HWND tabs);
    void SelectPage(HWND tabs, HWND page);

    // Shows or hides every component by bit 0 of its Tag (tab pages keep their own), then
    // places the aligned components.
    void ApplyTagVisibility();
    // Places the aligned children of every container, outer ones first.
    void ArrangeAligned();

    // Shows the window (maximised when its definition asks), disables the owner and handles
    // messages until EndModal; the owner is enabled again and brought forward afterwards.
    void RunModal();
    void EndModal() { running_ = false; }
    bool Running() const { return running_; }

    // Called once when the window first shows, before its first message is handled.
    std::function<void()> Shown;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ControlColor(HDC dc, HWND control);
    HBRUSH BrushOf(COLORREF color);
    void ArrangeChildren(HWND parent);
    void Command(WPARAM wParam, LPARAM lParam);

    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    bool running_ = false;
    std::vector<Component> components_;
    std::vector<HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
    std::map<HWND, ControlColors> colors_;
    std::map<HWND, std::vector<HWND>> pages_;
};

}  // namespace lv
