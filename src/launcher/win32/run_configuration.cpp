#include "launcher/win32/run_configuration.h"

#include <windows.h>

#include "audio/win32/mci_show_audio.h"
#include "audio/win32/multimedia_calls.h"
#include "common/error.h"
#include "common/warning.h"
#include "gui/config/config_settings.h"
#include "gui/win32/config/win32_config_services.h"
#include "gui/win32/config/win32_config_window.h"
#include "launcher/creator_config.h"
#include "launcher/user_settings_path.h"
#include "launcher/working_folder.h"
#include "project/project.h"
#include "saver/sound_paths.h"
#include "saver/win32/start_show.h"

namespace lv {
namespace {

// The creator's sounds folder is one more place to look for picture sounds; the single-picture
// show runs without it.
std::string CreatorFolderOrWarn() {
    try {
        return CreatorConfig().GetCreatorFolder();
    } catch (const Error& error) {
        WarnOnStandardError(std::string(error.what()) +
                            "; the creator's sounds folder is not searched");
        return {};
    }
}

// The configuration windows with the desktop's services, and their play action bound to the
// show: one picture full screen with the run's user settings and sound folders, its sound
// device open only while it plays.
Win32ConfigContext ConfigContextFor(const std::string& ownPath, const std::string& firstArgument,
                                    const InstanceRegistration& registration) {
    Win32ConfigContext context;
    context.OwnPath = ownPath;
    context.WorkingFolder = registration.Folder();
    context.SettingsFile = ConfigSettingsFile(UserSettingsPath(ownPath), ownPath, firstArgument);
    context.Services = DesktopWin32ConfigServices();
    win32::ShowOptions show;
    show.UserSettingsFile = UserSettingsPath(ownPath);
    show.Folders = {registration.Folder(), CreatorFolderOrWarn(), FolderPart(ownPath)};
    context.Services.PlayPicture = [show](const Project& project, const std::string& file) {
        audio::win32::SystemMultimediaCalls calls;
        audio::win32::MciShowAudio audio(calls);
        win32::ShowSinglePicture(project, file, audio, show);
    };
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
