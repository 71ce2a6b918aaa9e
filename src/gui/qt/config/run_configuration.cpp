#include "gui/qt/config/run_configuration.h"

#include <QApplication>
#include <exception>
#include <memory>

#include "gui/forms/form_definitions.h"
#include "gui/qt/config/config_services.h"
#include "gui/qt/config/config_window.h"
#include "launcher/working_folder.h"
#include "project/project.h"

namespace lv {

namespace {

// The working folder the package was unpacked into, for documents the window may open; empty
// (no documents open) when the program's own file cannot be found.
std::string WorkingFolderOf(const std::string& ownPath) {
    try {
        return WorkingFolderPath(ownPath);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

void RunConfigurationWindow(Project& project, FormDefinitions& forms, const std::string& ownPath,
                            const std::string& firstArgument) {
    std::unique_ptr<QApplication> application;
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "lvcsaver";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
    }

    // Services a caller (a test) has set stay; the rest fall back to the desktop's.
    ConfigEnvironment environment;
    environment.Services = CurrentConfigEnvironment().Services;
    environment.OwnPath = ownPath;
    environment.FirstArgument = firstArgument;
    environment.WorkingFolder = WorkingFolderOf(ownPath);
    environment.SettingsFile =
        ConfigSettingsFile(UserSettingsPath(ownPath), ownPath, firstArgument);
    SetConfigEnvironment(std::move(environment));

    ShowConfigWindow(forms, project, "MainWindow");
}

}  // namespace lv
