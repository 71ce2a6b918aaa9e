#include "launcher/win32/program.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "audio/win32/mci_show_audio.h"
#include "audio/win32/multimedia_calls.h"
#include "codecs/picture_file.h"
#include "common/error.h"
#include "common/warning.h"
#include "crash/crash_reporter.h"
#include "gui/forms/form_definitions.h"
#include "launcher/creator_config.h"
#include "launcher/run_mode.h"
#include "launcher/win32/run_configuration.h"
#include "launcher/working_folder.h"
#include "platform/system_services.h"
#include "project/project.h"
#include "saver/sound_paths.h"
#include "saver/win32/preview_window.h"
#include "saver/win32/start_show.h"

namespace lv {
namespace {

// The program's own file as the system knows it: argv[0] is whatever the caller typed (a
// short 8.3 name, a path relative to a folder since left), the module's file name is not.
std::string OwnPath() {
    std::string buffer(32768, '\0');
    const DWORD length =
        ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.resize(length < buffer.size() ? length : 0);
    return ExpandLongPath(buffer);
}

// Unpacks the package appended to the program and loads the project and the form definitions.
// The instance stays registered in the working folder while the returned object lives.
InstanceRegistration PrepareProject(Project& project, FormDefinitions& forms,
                                    const std::string& ownPath) {
    InstanceRegistration registration = ExtractProject(project, ownPath);
    forms.LoadFromFile(project.UISetting.UIFile);
    return registration;
}

// The creator's sounds folder is one more place to look for picture sounds, and a show runs
// without it: when it cannot be found, one warning says why.
std::string CreatorFolderOrWarn() {
    try {
        return CreatorConfig().GetCreatorFolder();
    } catch (const Error& error) {
        WarnOnStandardError(std::string(error.what()) +
                            "; the creator's sounds folder is not searched");
        return {};
    }
}

void NotifyCrashesInMessageBox() {
    crash::SetUserNotifier([](const std::string& message, const std::string& reportPath) {
        std::string text = message;
        if (!reportPath.empty()) text += "\n\nA report was written to\n" + reportPath;
        ::MessageBoxA(nullptr, text.c_str(), "Screensaver error", MB_OK | MB_ICONERROR);
    });
}

int RunSaver(Project& project, FormDefinitions& forms, const std::string& ownPath) {
    InstanceRegistration registration = PrepareProject(project, forms, ownPath);
    win32::ShowOptions options;
    options.UserSettingsFile = UserSettingsPath(ownPath);
    options.Folders = {registration.Folder(), CreatorFolderOrWarn(), FolderPart(ownPath)};
    {
        audio::win32::SystemMultimediaCalls calls;
        audio::win32::MciShowAudio audio(calls);
        win32::StartShow(project, audio, options);
    }
    RemoveProjectFiles(project, registration);
    return 0;
}

// The still preview, a child of the host's window until the host destroys it. Nothing is
// cleaned up: the unpacked files stay for the next run.
int RunPreview(Project& project, FormDefinitions& forms, const std::string& ownPath,
               const CommandLine& line) {
    const auto host = reinterpret_cast<HWND>(
        static_cast<uintptr_t>(ParseHostWindowId("/p", line.handleText)));
    if (!::IsWindow(host)) throw UsageError("/p " + line.handleText + " names no window");
    const InstanceRegistration registration = PrepareProject(project, forms, ownPath);
    const std::string& file = project.Setting.PreviewFile;
    if (file.empty()) return 0;
    const Bitmap32 picture = LoadPictureFile(file);
    if (picture.Empty()) throw Error("the preview picture is empty", file);
    win32::RunPreviewWindow(host, picture);
    return 0;
}

int RunCommandLine(int argc, char** argv) {
    const std::string ownPath = OwnPath();
    const CommandLine line =
        ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    auto project = std::make_unique<Project>();
    auto forms = std::make_unique<FormDefinitions>();

    int exitCode = 0;
    switch (line.mode) {
        case RunMode::ChangePassword:
            // Only Windows 95, 98 and Me have the dialog; elsewhere this ends at once.
            platform::ChangeScreenSaverPassword(ParseWindowHandle(line.handleText));
            return 0;
        case RunMode::Preview:
            exitCode = RunPreview(*project, *forms, ownPath, line);
            break;
        case RunMode::Show:
            if (line.showInHostWindow || line.showInRootWindow) {
                std::fprintf(stderr,
                             "lvcsaver: -root and -window-id draw into X11 windows; use /s\n");
                break;
            }
            NotifyCrashesInMessageBox();
            exitCode = RunSaver(*project, *forms, ownPath);
            break;
        case RunMode::Configuration:
            NotifyCrashesInMessageBox();
            exitCode = RunConfiguration(*project, *forms, ownPath, argc > 1 ? argv[1] : "");
            break;
        case RunMode::None:
            if (!line.unknownSwitch.empty())
                std::fprintf(stderr, "lvcsaver: %s\n",
                             UnknownSwitchMessage(line.unknownSwitch).c_str());
            break;
    }
    project.reset();
    forms.reset();
    return exitCode;
}

}  // namespace

int RunProgram(int argc, char** argv) {
    try {
        return RunCommandLine(argc, argv);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "lvcsaver: %s\n", error.what());
        return UsageExitCode;
    }
}

}  // namespace lv
