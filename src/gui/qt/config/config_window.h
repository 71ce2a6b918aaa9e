#pragma once

#include <QString>
#include <exception>
#include <memory>
#include <string>

#include "gui/config/config_settings.h"
#include "gui/forms/action_dispatch.h"
#include "gui/qt/config/config_services.h"
#include "gui/qt/forms/form_window.h"

namespace lv {

class Project;
class FormDefinitions;

// The window a configuration run opens first.
inline constexpr const char* MainWindowName = "MainWindow";

// Every window built from a form definition. It has no logic bound to its controls by code:
// a click on a component runs the action its definition binds to that component's name. It
// keeps the current picture, fills its thumbnail lists and previews when it opens, and stores
// the current picture and the unticked pictures in the user settings file when it closes.
class ConfigWindow : public FormWindow {
    Q_OBJECT

public:
    // The definitions, the project and the context stay owned by the caller and must outlive
    // the window.
    ConfigWindow(const FormDefinitions& forms, Project& project, const ConfigContext& context,
                 QWidget* parent = nullptr);

    // Index of the current picture in the project's picture list.
    int PictureIndex() const { return pictureIndex_; }
    // Makes picture n current, kept within the list, and shows it in every preview. The
    // thumbnail lists keep their own current cell.
    void SelectPicture(int n);
    // Re-applies visibility, thumbnail marks and the preview picture.
    void RefreshControls();

    // The click handler: runs the binding of the component named `componentName`. Errors of
    // the action are shown to the user; the window stays open.
    void DoAction(const QString& componentName);

    const FormDefinitions& Forms() const { return forms_; }
    Project& LoadedProject() const { return project_; }
    const UserSettingsFile& SettingsFile() const { return context_.SettingsFile; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void FillControls();
    void FormClose();
    void RunAction(const ClickAction& action);
    void OpenDocument(const std::string& target);
    void OpenWindow(const std::string& name);
    void PlayPicture();
    void OpenSettings();
    void SetWallpaper();
    size_t PictureCount() const;
    void ShowCurrentPicture();
    void ShowError(const std::exception& error);

    const FormDefinitions& forms_;
    Project& project_;
    const ConfigContext& context_;
    int pictureIndex_ = 0;
    bool shown_ = false;   // the window has opened at least once
    bool closed_ = false;  // its state has been stored
};

// Builds the definition `name` (blanks around it ignored, letter case too) into a new window
// that is not shown yet. Raises lv::Error when the definition is missing or cannot be built;
// nothing is then written anywhere.
std::unique_ptr<ConfigWindow> BuildWindow(const FormDefinitions& forms, Project& project,
                                          const std::string& name, const ConfigContext& context);

// Builds the window, lays the user settings over the project's settings in memory (when the
// settings file is usable), shows the window modally and frees it when it closes. A run of the
// configuration mode shows MainWindowName; the open-window action any other definition.
void ShowConfigWindow(const FormDefinitions& forms, Project& project, const std::string& name,
                      const ConfigContext& context);

}  // namespace lv
