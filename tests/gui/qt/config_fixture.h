#pragma once

// A saver on disk for the configuration window's tests: a program file named Sky.scr (or any
// other name), its working folder with small BMP pictures, a form-definition text with bindings,
// and services that record what the window asks for instead of blocking or leaving the process.
#include <QDialog>
#include <QMessageBox>
#include <functional>
#include <string>
#include <vector>

#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "gui/forms/form_definitions.h"
#include "gui/qt/config/config_services.h"
#include "gui/qt/config/config_window.h"
#include "gui/qt/config/settings_dialog.h"
#include "project/project.h"
#include "support/form_records.h"
#include "support/picture_fixtures.h"

namespace lv::test {

struct Recorded {
    std::vector<std::string> OpenedUrls;
    std::vector<std::string> Played;
    std::vector<std::string> Wallpapers;
    std::vector<std::string> Questions;
    std::vector<std::string> Messages;
    std::vector<std::string> Log;
    std::vector<std::string> WindowsShown;  // FormName of every config window run modally
    int SettingsDialogs = 0;
};

class ConfigFixture {
public:
    explicit ConfigFixture(size_t pictures = 5, const std::string& programName = "Sky.scr",
                           const std::string& firstArgument = "") {
        program = dir.Write(programName, "engine");
        std::filesystem::create_directories(dir.File("work"));
        for (size_t i = 0; i < pictures; ++i) {
            const std::string name = "work/p" + std::to_string(i) + ".bmp";
            project.FileList.Files.push_back(
                dir.Write(name, EncodeBmp24(GradientPicture(8 + static_cast<int>(i), 6))));
            project.FileList.Enabled.push_back("TRUE");
        }
        project.Setting.ProductName = "Sky Saver";
        project.Setting.Publisher = "Blue Works";
        project.Setting.Website = "http://example.org/sky";

        context.OwnPath = program;
        context.WorkingFolder = dir.File("work");
        context.SettingsFile = ConfigSettingsFile(IniPath(), program, firstArgument);
        ConfigServices& s = context.Services;
        s.ExecDialog = [this](QDialog& dialog) { return Exec(dialog); };
        s.Confirm = [this](QWidget*, const QString& text) {
            record.Questions.push_back(text.toStdString());
            return answer;
        };
        s.Message = [this](QWidget*, QMessageBox::Icon, const QString& text) {
            record.Messages.push_back(text.toStdString());
        };
        s.OpenUrl = [this](const QUrl& url) {
            record.OpenedUrls.push_back(url.toString().toStdString());
            return true;
        };
        s.PlayPicture = [this](const Project&, const std::string& file) {
            record.Played.push_back(file);
        };
        s.SetWallpaper = [this](const std::string& path) {
            record.Wallpapers.push_back(path);
            return std::string("Wallpaper set.");
        };
        s.Log = [this](const QString& line) { record.Log.push_back(line.toStdString()); };
    }

    // Shows the definition `name` modally, as the program or the open-window action does.
    void Show(const std::string& name) { ShowConfigWindow(forms, project, name, context); }

    std::string IniPath() const {
        return dir.File(std::filesystem::path(program).stem().string() + ".ini");
    }
    std::string Ini() const {
        return std::filesystem::exists(IniPath()) ? ReadFileBytes(IniPath())
                                                  : std::string("<none>");
    }

    void LoadForms(const std::string& records, int count) {
        forms.LoadFromText(std::to_string(count) + "\r\n" + records, "test.lvu");
    }

    // What a modal window does while it is open; the default closes it at once.
    std::function<void(ConfigWindow&)> whileOpen;
    // What the Settings dialog's user does; returns the button pressed.
    std::function<int(SettingsDialog&)> settingsUser;
    bool answer = true;

    TempDir dir;
    std::string program;
    Project project;
    FormDefinitions forms;
    Recorded record;
    ConfigContext context;

private:
    int Exec(QDialog& dialog) {
        if (auto* window = qobject_cast<ConfigWindow*>(&dialog)) {
            record.WindowsShown.push_back(window->FormName.toStdString());
            window->show();
            auto script = whileOpen;  // a sub-window must not re-enter the same script
            whileOpen = nullptr;
            if (script) script(*window);
            if (window->isVisible()) window->close();
            return window->result();
        }
        auto* settings = qobject_cast<SettingsDialog*>(&dialog);
        if (!settings) return QDialog::Rejected;
        ++record.SettingsDialogs;
        return settingsUser ? settingsUser(*settings) : int(QDialog::Rejected);
    }
};

}  // namespace lv::test
