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

#include "crash/crash_reporter.h"
#include "gui/lv_forms.h"
#include "launcher/preview.h"
#include "launcher/run_mode.h"
#include "launcher/working_folder.h"
#include "platform/system_services.h"
#include "project/lvc_project.h"
#include "gui/qt/run_configuration.h"
#include "saver/qt/start_show.h"

namespace lv {
namespace {

// The program's own file. argv[0] names it when started by path; a bare name found through
// PATH does not, and then the kernel's record of the running file does.
std::string OwnPath(const char* argument0) {
    std::string path = ExpandLongPath(argument0 ? argument0 : "");
    if (path.empty()) path = ExpandLongPath("/proc/self/exe");
    return path;
}

// Unpacks the package appended to the program and loads the project and the form definitions.
// The instance stays registered in the working folder while the returned object lives.
InstanceRegistration PrepareProject(TLVCProject& project, TLVForms& forms,
                                    const std::string& ownPath) {
    InstanceRegistration registration = ExtractProject(project, ownPath);
    forms.LoadFromFile(project.UISetting.UIFile);
    return registration;
}

std::unique_ptr<QApplication> StartFramework(int& argc, char** argv) {
    auto application = std::make_unique<QApplication>(argc, argv);
    // The task-bar text of the hidden main window, as the system's savers have it.
    QApplication::setApplicationDisplayName(QStringLiteral(" "));
    crash::SetUserNotifier([](const std::string& message, const std::string& reportPath) {
        // Without a screen nobody could answer the box; standard error has said it all.
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
        QString text = QString::fromStdString(message);
        if (!reportPath.empty())
            text += QStringLiteral("\n\nA report was written to\n") +
                    QString::fromStdString(reportPath);
        QMessageBox::critical(nullptr, QStringLiteral("Screensaver error"), text);
    });
    return application;
}

void RunSaver(TLVCProject& project, TLVForms& forms, const std::string& ownPath,
              const CommandLine& line) {
    InstanceRegistration registration = PrepareProject(project, forms, ownPath);
    ShowOptions options = ShowOptionsForProgram(ownPath);
    if (line.showInHostWindow) {
        options.Placement = ShowPlacement::HostWindow;
        options.HostWindow = line.hostWindow;
        options.Muted = true;  // the host's small preview in its settings dialog
    }
    if (line.showInRootWindow) {
        // xscreensaver draws its savers into a window of its own that covers the screen and
        // names it here; the real root window would be hidden behind it.
        if (const char* saverWindow = std::getenv("XSCREENSAVER_WINDOW")) {
            options.Placement = ShowPlacement::HostWindow;
            options.HostWindow = ParseWindowHandle(saverWindow);
        } else {
            options.Placement = ShowPlacement::RootWindow;
        }
    }
    StartShow(project, options);
    RemoveProjectFiles(project, registration);
}

void RunConfiguration(TLVCProject& project, TLVForms& forms, const std::string& ownPath,
                      const std::string& firstArgument) {
    InstanceRegistration registration = PrepareProject(project, forms, ownPath);
    RunConfigurationWindow(project, forms, ownPath, firstArgument);
    RemoveProjectFiles(project, registration);
}

}  // namespace

int RunProgram(int argc, char** argv) {
    const std::string ownPath = OwnPath(argc > 0 ? argv[0] : nullptr);
    const CommandLine line =
        ParseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    auto project = std::make_unique<TLVCProject>();
    auto forms = std::make_unique<TLVForms>();

    switch (line.mode) {
        case RunMode::ChangePassword:
            if (platform::HasPasswordChangeDialog())
                platform::ChangeScreenSaverPassword(ParseWindowHandle(line.handleText));
            return 0;
        case RunMode::Preview: {
            // Drawn straight onto the host's window; the unpacked files stay for the next run.
            // The registration ends with the process.
            const InstanceRegistration registration = PrepareProject(*project, *forms, ownPath);
            DrawPreview(*project, line.handleText);
            std::fflush(nullptr);
            std::_Exit(0);
        }
        case RunMode::Show: {
            const auto application = StartFramework(argc, argv);
            RunSaver(*project, *forms, ownPath, line);
            break;
        }
        case RunMode::Configuration: {
            const auto application = StartFramework(argc, argv);
            RunConfiguration(*project, *forms, ownPath, argc > 1 ? argv[1] : "");
            break;
        }
        case RunMode::None:
            break;
    }
    project.reset();
    forms.reset();
    return 0;
}

}  // namespace lv
