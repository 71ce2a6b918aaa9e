#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "gui/forms/action_dispatch.h"
#include "gui/forms/form_definitions.h"
#include "gui/win32/config/win32_config_services.h"
#include "gui/win32/forms/win32_form_window.h"

namespace lv {

class Project;

// The window a configuration run opens first.
inline constexpr const char* Win32MainWindowName = "MainWindow";

// Every window built from a form definition. It has no logic bound to its controls by code: a
// click on a component runs the action its definition binds to that component's name. It keeps
// the current picture, fills its thumbnail lists and previews when it opens, and stores the
// current picture and the unticked pictures in the user settings file when it closes.
class Win32ConfigWindow {
public:
    // Builds the definition `name`; raises lv::Error when it is missing or cannot be built,
    // and nothing is written anywhere then. The definitions, the project and the context stay
    // owned by the caller and must outlive the window.
    Win32ConfigWindow(const FormDefinitions& forms, Project& project, const std::string& name,
                      const Win32ConfigContext& context, HWND owner = nullptr);

    Win32FormWindow& Form() { return form_; }
    HWND Handle() const { return form_.Handle(); }

    // Shows the window modally; returns when it has closed and stored its state.
    void Run() { form_.RunModal(); }

    int PictureIndex() const { return pictureIndex_; }
    // Makes picture n current, kept within the list, and shows it in every preview.
    void SelectPicture(int n);

    // The click handler: runs the binding of the component named `componentName`. Errors of
    // the action are shown to the user; the window stays open.
    void DoAction(const std::string& componentName);

    // Stores the window's state (once) and ends its modal run.
    void Close();

private:
    void FormShow();
    void FillControls();
    void FormClose();
    void RunAction(const ClickAction& action);
    void OpenDocument(const std::string& target);
    void PlayPicture();
    void OpenSettings();
    void SetWallpaper();
    size_t PictureCount() const;
    void ShowCurrentPicture();
    void ShowError(const std::exception& error);

    const FormDefinitions& forms_;
    Project& project_;
    const Win32ConfigContext& context_;
    Win32FormWindow form_;
    int pictureIndex_ = 0;
    bool shown_ = false;   // the window has opened at least once
    bool closed_ = false;  // its state has been stored
};

// Builds the window, lays the user settings over the project's settings in memory (when the
// settings file is usable), shows the window modally over `owner` and frees it when it closes.
// A run of the configuration mode shows Win32MainWindowName; the open-window action any other
// definition.
void ShowWin32ConfigWindow(const FormDefinitions& forms, Project& project, const std::string& name,
                           const Win32ConfigContext& context, HWND owner = nullptr);

}  // namespace lv
