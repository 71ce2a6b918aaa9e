#include "launcher/qt/program.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/sdl_show_audio.h"
#include "common/error.h"
#include "common/qt/qt_text.h"
#include "common/warning.h"
#include "crash/crash_reporter.h"
#include "gui/config/config_settings.h"
#include "gui/forms/form_definitions.h"
#include "gui/qt/config/config_services.h"
#include "gui/qt/config/config_window.h"
#include "launcher/creator_config.h"
#include "launcher/preview.h"
#include "launcher/qt/host_show.h"
#include "launcher/qt/orderly_end.h"
#include "launcher/run_mode.h"
#include "launcher/user_settings_path.h"
#include "launcher/working_folder.h"
#include "platform/end_signals.h"
#include "platform/host_window.h"
#include "platform/system_services.h"
#include "project/project.h"
#include "saver/muted_show_audio.h"
#include "saver/qt/start_show.h"
#include "saver/sound_paths.h"

namespace lv {
namespace {

// An embedded show that could not run (its message went to standard error).
constexpr int ShowFailedExitCode = 1;

// The program's own file, two ways. Its long form names the working folder, so every way of
// starting a saver shares one; the user settings file and the wallpaper lie beside the path it
// was started as, so a link in the user's own folder keeps them there.
struct ProgramFile {
    std::string LongPath;
    std::string Started;
};

// argv[0] names the file when started by path or by a name found through PATH; where it does
// not, the kernel's record of the running file does.
ProgramFile ProgramFileOf(const char* argument0) {
    ProgramFile file;
    file.Started = StartedPath(argument0 ? argument0 : "");
    file.LongPath = ExpandLongPath(file.Started);
    if (file.LongPath.empty()) file.LongPath = ExpandLongPath("/proc/self/exe");
    if (file.Started.empty()) file.Started = file.LongPath;
    return file;
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
// without it: when it cannot be found (no home folder, a Lorvane.ini that cannot be read), one
// warning says why.
std::string CreatorFolderOrWarn() {
    try {
        return CreatorConfig().GetCreatorFolder();
    } catch (const Error& error) {
        WarnOnStandardError(std::string(error.what()) +
                            "; the creator's sounds folder is not searched");
        return {};
    }
}

// What every show of this run reads beside the project: the user settings file beside the
// program, and the folders of music and picture sounds (the working folder, the creator's
// folder, the program's own folder).
ShowOptions ShowOptionsFor(const ProgramFile& program, const InstanceRegistration& registration) {
    ShowOptions options;
    options.UserSettingsFile = UserSettingsPath(program.Started);
    options.Folders = {registration.Folder(), CreatorFolderOrWarn(), FolderPart(program.LongPath)};
    return options;
}

enum class ErrorBoxes { Shown, Never };

std::unique_ptr<QApplication> StartFramework(int& argc, char** argv, ErrorBoxes boxes) {
    auto application = std::make_unique<QApplication>(argc, argv);
    // The task-bar text of the hidden main window, as the system's savers have it.
    QApplication::setApplicationDisplayName(QStringLiteral(" "));
    // Inside a host's window a box would wait behind it for ever; standard error says it all.
    if (boxes == ErrorBoxes::Never) return application;
    crash::SetUserNotifier([](const std::string& message, const std::string& reportPath) {
        // Without a screen nobody could answer the box; standard error has said it all.
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
        QString text = ToQString(message);
        if (!reportPath.empty())
            text += QStringLiteral("\n\nA report was written to\n") + ToQString(reportPath);
        QMessageBox::critical(nullptr, QStringLiteral("Screensaver error"), text);
    });
    return application;
}

// The show's sound: the mixer, or, for a show that must stay quiet, nothing that opens a device.
std::unique_ptr<ShowAudio> MakeShowAudio(bool muted) {
    if (muted) return std::make_unique<MutedShowAudio>();
    return std::make_unique<audio::SdlShowAudio>();
}

int RunSaver(Project& project, FormDefinitions& forms, const ProgramFile& program,
             const CommandLine& line, const HostShow& host, OrderlyEnd& end) {
    InstanceRegistration registration = PrepareProject(project, forms, program.LongPath);
    ShowOptions options = ShowOptionsFor(program, registration);
    options.Placement = host.Placement;
    options.HostWindow = host.Window;
    // -window-id is the host's small preview in its settings dialog: pictures only.
    options.Muted = line.showInHostWindow;
    bool failed = false;
    if (host.Embedded) options.MessageBox = HostMessageFunction(end, failed);
    if (!end.Requested()) {
        const std::unique_ptr<ShowAudio> audio = MakeShowAudio(options.Muted);
        StartShow(project, *audio, options);
    }
    RemoveProjectFiles(project, registration);
    return failed ? ShowFailedExitCode : 0;
}

// The configuration windows with the desktop's services, and their play action bound to the
// show: one picture full screen with the run's user settings and sound folders, its sound
// device open only while it plays.
ConfigContext ConfigContextFor(const ProgramFile& program, const std::string& firstArgument,
                               const InstanceRegistration& registration) {
    ConfigContext context;
    context.OwnPath = program.Started;
    context.WorkingFolder = registration.Folder();
    context.SettingsFile =
        ConfigSettingsFile(UserSettingsPath(program.Started), program.Started, firstArgument);
    context.Services = DesktopConfigServices();
    context.Services.PlayPicture = [show = ShowOptionsFor(program, registration)](
                                       const Project& project, const std::string& file) {
        audio::SdlShowAudio audio;
        ShowSinglePicture(project, file, audio, show);
    };
    return context;
}

void RunConfiguration(Project& project, FormDefinitions& forms, const ProgramFile& program,
                      const std::string& firstArgument, const OrderlyEnd& end) {
    InstanceRegistration registration = PrepareProject(project, forms, program.LongPath);
    if (!end.Requested()) {
        const ConfigContext context = ConfigContextFor(program, firstArgument, registration);
        ShowConfigWindow(forms, project, MainWindowName, context);
    }
    RemoveProjectFiles(project, registration);
}

// The still preview. Nothing is cleaned up: the unpacked files stay for the next run.
[[noreturn]] void RunPreview(Project& project, FormDefinitions& forms, const std::string& ownPath,
                             const CommandLine& line) {
    ParseHostWindowId("/p", line.handleText);
    // A signal ends it at once; there is nothing to undo.
    platform::CatchEndSignals(platform::EndSignalAction::ExitAtOnce);
    // The registration ends with the process.
    const InstanceRegistration registration = PrepareProject(project, forms, ownPath);
    try {
        DrawPreview(project, line.handleText);
    } catch (const platform::MissingHostWindowError&) {
        throw UsageError("/p " + line.handleText + " names no window on this display");
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

int RunCommandLine(int argc, char** argv) {
    const ProgramFile program = ProgramFileOf(argc > 0 ? argv[0] : nullptr);
    const CommandLine line =
        ParseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    auto project = std::make_unique<Project>();
    auto forms = std::make_unique<FormDefinitions>();

    int exitCode = 0;
    switch (line.mode) {
        case RunMode::ChangePassword:
            if (platform::HasPasswordChangeDialog())
                platform::ChangeScreenSaverPassword(ParseWindowHandle(line.handleText));
            return 0;
        case RunMode::Preview:
            RunPreview(*project, *forms, program.LongPath, line);
        case RunMode::Show: {
            const HostShow host = HostShowFor(line);
            platform::CatchEndSignals(platform::EndSignalAction::Notify);
            const auto application =
                StartFramework(argc, argv, host.Embedded ? ErrorBoxes::Never : ErrorBoxes::Shown);
            CheckHostWindowExists(host);
            OrderlyEnd end;
            exitCode = RunSaver(*project, *forms, program, line, host, end);
            break;
        }
        case RunMode::Configuration: {
            platform::CatchEndSignals(platform::EndSignalAction::Notify);
            const auto application = StartFramework(argc, argv, ErrorBoxes::Shown);
            OrderlyEnd end;
            RunConfiguration(*project, *forms, program, argc > 1 ? argv[1] : "", end);
            break;
        }
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
