#include "gui/win32/forms/win32_form_builder.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "common/ascii_case.h"
#include "common/error.h"
#include "gui/forms/form_prepare.h"
#include "gui/forms/line_text.h"
#include "gui/win32/forms/win32_class_table.h"
#include "gui/win32/forms/win32_component_properties.h"

namespace lv {
namespace {

LOGFONTA DefaultFont() {
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

class Builder {
public:
    Builder(Win32FormWindow& window, std::string fileName)
        : window_(window), fileName_(std::move(fileName)) {}

    void Build(const ComponentNode& root) {
        window_.FormName = root.Name;
        Win32ComponentState state;
        state.Form = &window_;
        state.Window = window_.Handle();
        state.Font = DefaultFont();
        std::string activeControl;
        int activeControlLine = 0;
        for (const auto& property : root.Properties) {
            Guarded(property, [&] { ApplyWin32WindowProperty(state, property, activeControl); });
            if (EqualsIgnoreCase(property.Path, "ActiveControl")) activeControlLine = property.Line;
        }
        HFONT font = window_.KeepFont(CreateFontIndirectA(&state.Font));
        SendMessageA(window_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        for (const auto& child : root.Children) BuildComponent(child, window_.Handle(), state.Font);
        ResolveReferences(activeControl, activeControlLine);
        LowerGraphicControls();
    }

private:
    // Runs one property's setter, turning its complaint into the file's error with the line.
    template <class F>
    void Guarded(const ComponentProperty& property, F&& apply) {
        try {
            apply();
        } catch (const Error& error) {
            throw Error("line " + std::to_string(property.Line) + ": " + property.Path + ": " +
                            error.Message(),
                        fileName_);
        }
    }

    const ComponentClassTraits& ClassOf(const ComponentNode& node) const {
        if (const auto* traits = FindComponentClass(node.ClassName)) return *traits;
        throw Error("line " + std::to_string(node.Line) + ": unknown component class '" +
                        node.ClassName + "'",
                    fileName_);
    }

    void BuildComponent(const ComponentNode& node, HWND parent, const LOGFONTA& parentFont) {
        const ComponentClassTraits& traits = ClassOf(node);
        const int id = window_.NextComponentId();
        HWND handle = Win32ClassOf(traits.Class).Create(parent, id);
        if (!handle)
            throw Error("line " + std::to_string(node.Line) + ": the window of '" + node.Name +
                            "' could not be made",
                        fileName_);
        if (const auto size = traits.DefaultSize)
            SetWindowPos(handle, nullptr, 0, 0, size->Width, size->Height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // A page joins the tabs of the control it sits in.
        if (traits.Class == ComponentClass::TabSheet && IsPageControl(parent))
            window_.AddPage(parent, handle);
        window_.AddComponent({node.Name, node.ClassName, traits.Class, handle});

        Win32ComponentState state;
        state.Form = &window_;
        state.Component = window_.ComponentWithId(id);
        state.Window = handle;
        state.Class = traits.Class;
        state.Font = parentFont;
        for (const auto& property : node.Properties)
            Guarded(property, [&] { ApplyWin32ComponentProperty(state, property); });
        FinishWin32Component(state);
        if (!state.ActivePage.empty())
            pendingPages_.push_back({handle, state.ActivePage, state.ActivePageLine});
        for (const auto& child : node.Children) BuildComponent(child, handle, state.Font);
    }

    // Bevels and shapes are drawn beneath the controls they frame, as their authoring tool draws
    // such graphic controls, later ones above earlier ones; the others keep their order, which
    // is also their tab order.
    void LowerGraphicControls() {
        const auto& components = window_.Components();
        for (auto at = components.rbegin(); at != components.rend(); ++at) {
            if (at->Class == ComponentClass::Bevel || at->Class == ComponentClass::Shape ||
                at->Class == ComponentClass::ClickableShape)
                SetWindowPos(at->Window, HWND_BOTTOM, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }

    bool IsPageControl(HWND window) {
        const auto* component = window_.ComponentOf(window);
        return component && component->Class == ComponentClass::PageControl;
    }

    HWND Named(const std::string& name, int line, const char* what) const {
        const auto* component = window_.FindComponent(name);
        if (!component)
            throw Error("line " + std::to_string(line) + ": " + what + ": no component named '" +
                            name + "'",
                        fileName_);
        return component->Window;
    }

    void ResolveReferences(const std::string& activeControl, int activeControlLine) {
        for (const auto& page : pendingPages_)
            window_.SelectPage(page.Control, Named(page.Name, page.Line, "ActivePage"));
        if (!activeControl.empty()) SetFocus(Named(activeControl, activeControlLine, "ActiveControl"));
    }

    struct PendingPage {
        HWND Control;
        std::string Name;
        int Line;
    };

    Win32FormWindow& window_;
    std::string fileName_;
    std::vector<PendingPage> pendingPages_;
};

// The frame goes on before the size lines, so the client size they give is kept.
void ApplyFrame(HWND window, const WindowFrame& frame) {
    LONG style = WS_POPUP | WS_CLIPCHILDREN;
    LONG exStyle = WS_EX_CONTROLPARENT;
    if (frame.Border != WindowBorder::None) {
        style |= WS_CAPTION;
        if (frame.Border == WindowBorder::Sizeable) style |= WS_THICKFRAME;
        if (frame.Border == WindowBorder::Single) exStyle |= WS_EX_DLGMODALFRAME;
        if (frame.SystemMenu) style |= WS_SYSMENU;
        if (frame.MaximizeBox) style |= WS_MAXIMIZEBOX;
        if (frame.MinimizeBox) style |= WS_MINIMIZEBOX;
    }
    SetWindowLongA(window, GWL_STYLE, style);
    SetWindowLongA(window, GWL_EXSTYLE, exStyle);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CentreOnWorkArea(HWND window) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT place;
    GetWindowRect(window, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void BuildWin32Form(Win32FormWindow& window, const FormDefinitions& forms, const Project& project,
                    const std::string& name) {
    const std::string fileName = forms.FileName();
    const FormDefinition& form = forms.RequireForm(TrimBlanks(name));
    const FormPlaceholders placeholders{project.Setting.ProductName, project.Setting.Publisher,
                                        project.Setting.Website};
    const ComponentNode tree = PrepareFormTree(form, placeholders, fileName);
    window.Flags = ReadBaseFormFlags(tree, fileName);
    ApplyFrame(window.Handle(), FrameOf(window.Flags));
    Builder(window, fileName).Build(tree);
    window.ApplyTagVisibility();
    CentreOnWorkArea(window.Handle());
}

}  // namespace lv
