#include "gui/win32/forms/win32_form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "common/ascii_case.h"
#include "gui/win32/controls/drawn_control.h"
#include "gui/win32/forms/modal_loop.h"

namespace lv {
namespace {

constexpr const char* FormWindowClassName = "LvFormWindow";

void RegisterFormWindowClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        windowClass.lpszClassName = FormWindowClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

// The part of a container its aligned children share: a panel keeps its border and bevels.
RECT AlignArea(HWND parent) {
    RECT area;
    GetClientRect(parent, &area);
    if (const DrawnControl* panel = DrawnControlOf(parent);
        panel && panel->Class == ComponentClass::Panel) {
        int inset = panel->BorderWidth;
        if (panel->BevelOuter != PanelBevel::None) inset += panel->BevelWidth;
        if (panel->BevelInner != PanelBevel::None) inset += panel->BevelWidth;
        InflateRect(&area, -inset, -inset);
    }
    return area;
}

}  // namespace

Win32FormWindow::Win32FormWindow(HWND owner) : owner_(owner) {
    RegisterFormWindowClass(WindowProc);
    window_ = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, FormWindowClassName, "",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT,
                              CW_USEDEFAULT, 0, 0, owner, nullptr, GetModuleHandleA(nullptr), this);
}

Win32FormWindow::~Win32FormWindow() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (HFONT font : fonts_) DeleteObject(font);
    for (const auto& [color, brush] : brushes_) DeleteObject(brush);
}

Win32FormWindow::Component* Win32FormWindow::ComponentWithId(int id) {
    if (id < 1 || static_cast<size_t>(id) > components_.size()) return nullptr;
    return &components_[static_cast<size_t>(id - 1)];
}

Win32FormWindow::Component* Win32FormWindow::ComponentOf(HWND window) {
    for (auto& component : components_)
        if (component.Window == window) return &component;
    return nullptr;
}

const Win32FormWindow::Component* Win32FormWindow::FindComponent(const std::string& name) const {
    for (const auto& component : components_)
        if (EqualsIgnoreCase(component.Name, name)) return &component;
    return nullptr;
}

HFONT Win32FormWindow::KeepFont(HFONT font) {
    if (font) fonts_.push_back(font);
    return font;
}

HBRUSH Win32FormWindow::BrushOf(COLORREF color) {
    auto [at, added] = brushes_.try_emplace(color, nullptr);
    if (added) at->second = CreateSolidBrush(color);
    return at->second;
}

COLORREF Win32FormWindow::BackgroundOf(HWND parent) const {
    for (HWND container = parent; container && container != window_;
         container = GetParent(container)) {
        if (const DrawnControl* drawn = DrawnControlOf(container)) {
            if (drawn->Color) return *drawn->Color;
            if (drawn->Class == ComponentClass::Panel || drawn->Class == ComponentClass::TabSheet)
                break;
        }
    }
    return Color.value_or(GetSysColor(COLOR_BTNFACE));
}

void Win32FormWindow::AddPage(HWND tabs, HWND page) {
    std::vector<HWND>& pages = pages_[tabs];
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    char empty[] = "";
    item.pszText = empty;
    SendMessageA(tabs, TCM_INSERTITEMA, pages.size(), reinterpret_cast<LPARAM>(&item));
    pages.push_back(page);
}

int Win32FormWindow::PageIndexOf(HWND tabs, HWND page) const {
    const auto found = pages_.find(tabs);
    if (found == pages_.end()) return -1;
    const auto at = std::find(found->second.begin(), found->second.end(), page);
    return at == found->second.end() ? -1 : static_cast<int>(at - found->second.begin());
}

void Win32FormWindow::ShowSelectedPage(HWND tabs) {
    const auto found = pages_.find(tabs);
    if (found == pages_.end()) return;
    const int selected = TabCtrl_GetCurSel(tabs);
    RECT display;
    GetClientRect(tabs, &display);
    TabCtrl_AdjustRect(tabs, FALSE, &display);
    for (size_t i = 0; i < found->second.size(); ++i) {
        HWND page = found->second[i];
        SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOACTIVATE);
        ShowWindow(page, static_cast<int>(i) == selected ? SW_SHOW : SW_HIDE);
    }
}

void Win32FormWindow::SelectPage(HWND tabs, HWND page) {
    const auto found = pages_.find(tabs);
    if (found == pages_.end()) return;
    const auto at = std::find(found->second.begin(), found->second.end(), page);
    if (at == found->second.end()) return;
    TabCtrl_SetCurSel(tabs, static_cast<int>(at - found->second.begin()));
    ShowSelectedPage(tabs);
}

void Win32FormWindow::ApplyTagVisibility() {
    for (const auto& component : components_) {
        const auto visible = VisibleByTag(component.Class, component.Tag);
        if (visible) ShowWindow(component.Window, *visible ? SW_SHOWNA : SW_HIDE);
    }
    for (const auto& [tabs, pages] : pages_) ShowSelectedPage(tabs);
    ArrangeAligned();
}

void Win32FormWindow::ArrangeChildren(HWND parent) {
    RECT area = AlignArea(parent);
    constexpr std::array<Win32Align, 5> order = {Win32Align::Top, Win32Align::Bottom,
                                                 Win32Align::Left, Win32Align::Right,
                                                 Win32Align::Client};
    for (const Win32Align mode : order) {
        for (const auto& component : components_) {
            HWND child = component.Window;
            if (component.Align != mode || GetParent(child) != parent ||
                !(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
                continue;
            RECT place;
            GetWindowRect(child, &place);
            const int w = place.right - place.left;
            const int h = place.bottom - place.top;
            const int areaWidth = std::max(static_cast<int>(area.right - area.left), 0);
            const int areaHeight = std::max(static_cast<int>(area.bottom - area.top), 0);
            switch (mode) {
                case Win32Align::Top:
                    MoveWindow(child, area.left, area.top, areaWidth, h, TRUE);
                    area.top += h;
                    break;
                case Win32Align::Bottom:
                    MoveWindow(child, area.left, area.bottom - h, areaWidth, h, TRUE);
                    area.bottom -= h;
                    break;
                case Win32Align::Left:
                    MoveWindow(child, area.left, area.top, w, areaHeight, TRUE);
                    area.left += w;
                    break;
                case Win32Align::Right:
                    MoveWindow(child, area.right - w, area.top, w, areaHeight, TRUE);
                    area.right -= w;
                    break;
                case Win32Align::Client:
                    MoveWindow(child, area.left, area.top, areaWidth, areaHeight, TRUE);
                    break;
                case Win32Align::None:
                    break;
            }
        }
    }
}

void Win32FormWindow::ArrangeAligned() {
    // Components are listed parents first, so outer containers are placed before their children.
    ArrangeChildren(window_);
    for (const auto& component : components_) ArrangeChildren(component.Window);
}

void Win32FormWindow::RunModal() {
    ShowWindow(window_, Flags.MaximizeOnShow ? SW_SHOWMAXIMIZED : SW_SHOW);
    running_ = true;
    if (Shown) Shown();
    UpdateWindow(window_);
    RunModalLoop(window_, owner_, running_);
    running_ = false;
}

void Win32FormWindow::Command(WPARAM wParam, LPARAM lParam) {
    const WORD code = HIWORD(wParam);
    if (code != BN_CLICKED && code != STN_CLICKED) return;
    // STN_CLICKED and BN_CLICKED share the value 0; the sender tells them apart.
    Component* component = ComponentWithId(LOWORD(wParam));
    if (!component || component->Window != reinterpret_cast<HWND>(lParam)) return;
    if (TraitsOf(component->Class).TakesClickBinding && ComponentClicked)
        ComponentClicked(component->Name);
}

LRESULT Win32FormWindow::ControlColor(HDC dc, HWND control) {
    const auto found = colors_.find(control);
    const ControlColors colors = found == colors_.end() ? ControlColors{} : found->second;
    if (colors.Text) SetTextColor(dc, *colors.Text);
    const COLORREF background = colors.Background.value_or(BackgroundOf(GetParent(control)));
    SetBkColor(dc, background);
    return reinterpret_cast<LRESULT>(BrushOf(background));
}

LRESULT CALLBACK Win32FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Win32FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCCREATE) form->window_ = window;
    return form->Handle(message, wParam, lParam);
}

LRESULT Win32FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            Command(wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == TCN_SELCHANGE) ShowSelectedPage(header->hwndFrom);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CTLCOLOREDIT: {
            // Text boxes keep the window colour unless their definition gives one.
            const auto found = colors_.find(reinterpret_cast<HWND>(lParam));
            if (found == colors_.end() || !found->second.Background) {
                if (found != colors_.end() && found->second.Text)
                    SetTextColor(reinterpret_cast<HDC>(wParam), *found->second.Text);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            return ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        }
        case WM_ERASEBKGND: {
            RECT area;
            GetClientRect(window_, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area,
                     BrushOf(Color.value_or(GetSysColor(COLOR_BTNFACE))));
            return 1;
        }
        case WM_SIZE:
            ArrangeAligned();
            return 0;
        case WM_CLOSE:
            if (CloseRequested)
                CloseRequested();
            else
                EndModal();
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

}  // namespace lv
