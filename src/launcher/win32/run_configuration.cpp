#include "launcher/win32/run_configuration.h"

#include <windows.h>

#include "common/error.h"
#include "gui/config/config_settings.h"
#include "gui/win32/config/win32_config_services.h"
#include "gui/win32/config/win32_config_window.h"
#include "launcher/working_folder.h"
#include "project/project.h"

namespace lv {
namespace {

// The configuration windows with the desktop's services, and their play action bound to the
// single-picture show.
Win32ConfigContext ConfigContextFor(const std::string& ownPath, const std::string& firstArgument,
                                    const InstanceRegistration& registration) {
    Win32ConfigContext context;
    context.OwnPath = ownPath;
    context.WorkingFolder = registration.Folder();
    context.SettingsFile = ConfigSettingsFile(UserSettingsPath(ownPath), ownPath, firstArgument);
    context.Services = DesktopWin32ConfigServices();
    context.Services.PlayPicture = PlaySinglePicture(ownPath, registration);
    return context;
}

}  // namespace

int RunConfiguration(Project& project, FormDefinitions& forms, const std::string& ownPath,
                     const std::string& firstArgument) {
    InstanceRegistration registration = ExtractProject(project, ownPath);
    // The unpacked files go whatever happens to the window.
    try {
        forms.LoadFromFile(project.UISetting.UIFile);
        const Win32ConfigContext context = ConfigContextFor(ownPath, firstArgument, registration);
        ShowWin32ConfigWindow(forms, project, Win32MainWindowName, context);
    } catch (...) {
        RemoveProjectFiles(project, registration);
        throw;
    }
    RemoveProjectFiles(project, registration);
    return 0;
}

}  // namespace lv
