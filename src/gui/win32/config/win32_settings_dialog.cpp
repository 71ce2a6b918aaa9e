#include "gui/win32/config/win32_settings_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

#include "common/rounding.h"
#include "gui/win32/forms/modal_loop.h"

namespace lv {
namespace {

class SettingsDialog {
public:
    SettingsDialog(HWND owner, const UserSettingValues& values, bool canStore);
    ~SettingsDialog();
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    bool Run();
    UserSettingValues Values() const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    HWND Add(const char* windowClass, const char* text, DWORD style, int id, int left, int top,
             int width, int height, DWORD exStyle = 0);
    void Label(const char* text, int left, int top, int width);
    void DropDown(int id, std::initializer_list<const char*> items, int left, int top);
    void SetValues(const UserSettingValues& values);
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Finish(bool accepted);

    HWND owner_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    bool running_ = false;
    bool accepted_ = false;
};

void RegisterDialogClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = SettingsDialogClassName;
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

SettingsDialog::SettingsDialog(HWND owner, const UserSettingValues& values, bool canStore)
    : owner_(owner) {
    RegisterDialogClass(WindowProc);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, 375, 188};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    window_ = CreateWindowExA(exStyle, SettingsDialogClassName, "Settings", style,
                              work.left + (work.right - work.left - width) / 2,
                              work.top + (work.bottom - work.top - height) / 2, width, height,
                              owner, nullptr, GetModuleHandleA(nullptr), this);
    // The places are fixed in pixels for a small 8-point face.
    font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, "Tahoma");

    Label("Image Size", 32, 23, 100);
    DropDown(ImageSizeId, {"Original Size", "Stretch-Full", "Stretch-Proportional"}, 144, 20);
    Label("Show Image", 32, 49, 100);
    DropDown(ShowImageModeId,
             {"All images - Random", "All images - Sequential",
              "User's favorite (checked images) - Random", "Single - Selected Image"},
             144, 45);
    // The longest choice is wider than the box; the open list shows it whole.
    SendMessageA(Item(ShowImageModeId), CB_SETDROPPEDWIDTH, 230, 0);

    Label("Image Interval (sec)", 32, 73, 112);
    Add("EDIT", "", WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, DurationId, 144, 70, 49, 22,
        WS_EX_CLIENTEDGE);
    HWND spin = Add(UPDOWN_CLASSA, "",
                    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                    DurationSpinId, 0, 0, 0, 0);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(DurationId)), 0);
    SendMessageA(spin, UDM_SETRANGE32, MinimumDuration, MaximumDuration);

    Label("Animation Speed", 32, 98, 100);
    HWND speed = Add(TRACKBAR_CLASSA, "", WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, SpeedId, 138, 96,
                     161, 20);
    SendMessageA(speed, TBM_SETRANGE, FALSE, MAKELPARAM(0, SpeedTable.size() - 1));
    SendMessageA(speed, TBM_SETPAGESIZE, 0, 1);
    Add("STATIC", "Reset", SS_NOTIFY, ResetId, 301, 97, 40, 16);

    Add("BUTTON", "Enable Music", WS_TABSTOP | BS_AUTOCHECKBOX, MusicId, 32, 124, 93, 17);
    Add("BUTTON", "Enable Sound", WS_TABSTOP | BS_AUTOCHECKBOX, SoundId, 144, 124, 93, 17);
    Add("BUTTON", "Transition Effect", WS_TABSTOP | BS_AUTOCHECKBOX, TransitionId, 251, 124,
        112, 17);
    Add("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 216, 156, 75, 25);
    Add("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 293, 156, 75, 25);
    EnableWindow(Item(IDOK), canStore);
    SetValues(values);
}

SettingsDialog::~SettingsDialog() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (font_) DeleteObject(font_);
}

HWND SettingsDialog::Add(const char* windowClass, const char* text, DWORD style, int id,
                         int left, int top, int width, int height, DWORD exStyle) {
    HWND control = CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, left,
                                   top, width, height, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void SettingsDialog::Label(const char* text, int left, int top, int width) {
    Add("STATIC", text, SS_LEFTNOWORDWRAP, 0, left, top, width, 14);
}

void SettingsDialog::DropDown(int id, std::initializer_list<const char*> items, int left, int top) {
    // A drop-down list's height includes its open list.
    HWND box = Add("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, id, left, top, 153,
                   160);
    for (const char* item : items)
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

void SettingsDialog::SetValues(const UserSettingValues& values) {
    SendMessageA(Item(ImageSizeId), CB_SETCURSEL, static_cast<WPARAM>(values.ImageSize), 0);
    SendMessageA(Item(ShowImageModeId), CB_SETCURSEL, static_cast<WPARAM>(values.ImageMode), 0);
    SendMessageA(Item(SpeedId), TBM_SETPOS, TRUE, values.SpeedIndex);
    SendMessageA(Item(SoundId), BM_SETCHECK, values.Sound ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(Item(MusicId), BM_SETCHECK, values.Music ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(Item(TransitionId), BM_SETCHECK,
                 values.Transition ? BST_CHECKED : BST_UNCHECKED, 0);
    const int duration = std::clamp(values.Duration, MinimumDuration, MaximumDuration);
    SetWindowTextA(Item(DurationId), std::to_string(duration).c_str());
}

UserSettingValues SettingsDialog::Values() const {
    UserSettingValues values;
    values.ImageSize =
        std::max(static_cast<int>(SendMessageA(Item(ImageSizeId), CB_GETCURSEL, 0, 0)), 0);
    values.ImageMode =
        std::max(static_cast<int>(SendMessageA(Item(ShowImageModeId), CB_GETCURSEL, 0, 0)), 0);
    values.SpeedIndex = static_cast<int>(SendMessageA(Item(SpeedId), TBM_GETPOS, 0, 0));
    values.Sound = Checked(SoundId);
    values.Music = Checked(MusicId);
    values.Transition = Checked(TransitionId);
    // The box takes digits only; an empty or oversized entry is kept within the allowed range,
    // as a spin box would.
    std::array<char, 32> text{};
    GetWindowTextA(Item(DurationId), text.data(), static_cast<int>(text.size()));
    int duration = MinimumDuration;
    const char* end = text.data() + lstrlenA(text.data());
    const auto [rest, error] = std::from_chars(text.data(), end, duration);
    if (error == std::errc::result_out_of_range) duration = MaximumDuration;
    values.Duration = std::clamp(duration, MinimumDuration, MaximumDuration);
    return values;
}

bool SettingsDialog::Run() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    running_ = true;
    RunModalLoop(window_, owner_, running_);
    return accepted_;
}

void SettingsDialog::Finish(bool accepted) {
    accepted_ = accepted;
    running_ = false;
}

LRESULT CALLBACK SettingsDialog::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<SettingsDialog*>(create->lpCreateParams)->window_ = window;
    }
    auto* dialog = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!dialog) return DefWindowProcA(window, message, wParam, lParam);
    return dialog->Handle(message, wParam, lParam);
}

LRESULT SettingsDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    // Enter reaches here too while OK is disabled; it must not store then.
                    if (IsWindowEnabled(Item(IDOK))) Finish(true);
                    return 0;
                case IDCANCEL:
                    Finish(false);
                    return 0;
                case ResetId:
                    if (HIWORD(wParam) == STN_CLICKED)
                        SendMessageA(Item(SpeedId), TBM_SETPOS, TRUE, NormalSpeedIndex);
                    return 0;
                default:
                    return 0;
            }
        case WM_CTLCOLORSTATIC:
            // The Reset label reads as a link.
            if (reinterpret_cast<HWND>(lParam) == Item(ResetId))
                SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_PAINT: {
            // The sunken frame around the settings.
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            RECT frame{8, 8, 369, 152};
            DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_CLOSE:
            Finish(false);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

}  // namespace

bool RunSettingsDialog(HWND owner, UserSettingValues& values, bool canStore) {
    SettingsDialog dialog(owner, values, canStore);
    if (!dialog.Run()) return false;
    values = dialog.Values();
    return true;
}

}  // namespace lv
