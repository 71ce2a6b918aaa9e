#include "saver/win32/start_show.h"

#include <optional>

#include "common/error.h"
#include "common/warning.h"
#include "project/project.h"
#include "project/user_settings.h"
#include "saver/show_clock.h"
#include "saver/show_settings.h"
#include "saver/win32/show_window.h"

namespace lv::win32 {
namespace {

// The user's choices are lost for this run when their file cannot be read, but the saver still
// runs, with the project's own settings; the line names the file and says why.
std::optional<UserSettings> ReadUserSettingsOrWarn(const std::string& path) {
    try {
        return ReadUserSettings(path);
    } catch (const Error& error) {
        WarnOnStandardError(std::string(error.what()) + "; the saver's own settings are used");
        return std::nullopt;
    }
}

}  // namespace

void StartShow(Project& project, ShowAudio& audio, const ShowOptions& options) {
    const MessageBoxFunction messageBox =
        options.ShowMessage ? options.ShowMessage : StandardMessageBox;
    if (project.FileList.Files.empty()) {
        messageBox(MessageKind::Information, NoImageMessage);
        return;
    }
    EnableAllPictures(project);
    if (const auto stored = ReadUserSettingsOrWarn(options.UserSettingsFile))
        ApplyUserSettings(project, *stored);
    if (options.Muted) {
        project.Setting.Music = false;
        project.Setting.Sound = false;
    }

    SystemClock systemClock;
    Clock& clock = options.TickClock != nullptr ? *options.TickClock : systemClock;
    ShowWindowSetup setup;
    setup.ShowMessage = messageBox;
    setup.Folders = options.Folders;
    ShowWindow window(project, audio, clock, setup);
    window.Open();
    window.RunUntilClosed();
}

void ShowSinglePicture(const Project& project, const std::string& file, ShowAudio& audio,
                       const ShowOptions& options) {
    Project single = MakeSinglePictureProject(project, file);
    StartShow(single, audio, options);
}

}  // namespace lv::win32
