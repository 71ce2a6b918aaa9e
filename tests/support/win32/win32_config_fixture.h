#pragma once

// A saver on disk for the Win32 configuration window's tests, as the Qt tests have it: a program
// file named Sky.scr, its working folder with small BMP pictures, form definitions, and services
// that record what the window asks for. Scripts run inside the window's own modal loop, from a
// timer, so they see the window as a user would.
#include <windows.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "codecs/picture_codecs.h"
#include "common/file_util.h"
#include "gui/config/config_settings.h"
#include "gui/forms/form_definitions.h"
#include "gui/win32/config/win32_config_services.h"
#include "gui/win32/config/win32_config_window.h"
#include "gui/win32/config/win32_settings_dialog.h"
#include "project/project.h"
#include "support/form_records.h"
#include "support/picture_fixtures.h"

namespace lv::test {

// Runs `step` from the thread's message loop, after what is already queued.
inline void RunSoon(std::function<void()> step) {
    static std::deque<std::function<void()>> steps;
    steps.push_back(std::move(step));
    SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (steps.empty()) return;
        auto next = std::move(steps.front());
        steps.pop_front();
        next();
    });
}

// A left click on a component, through the mouse messages its window gets.
inline void ClickWindow(HWND window) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

inline HWND ComponentWindow(Win32ConfigWindow& window, const std::string& name) {
    const auto* component = window.Form().FindComponent(name);
    return component ? component->Window : nullptr;
}

struct Win32Recorded {
    std::vector<std::string> Opened;
    std::vector<std::string> Played;
    std::vector<std::string> Wallpapers;
    std::vector<std::string> Questions;
    std::vector<std::string> Messages;
    std::vector<std::string> Log;
};

class Win32ConfigFixture {
public:
    explicit Win32ConfigFixture(size_t pictures = 5, const std::string& programName = "Sky.scr",
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
        Win32ConfigServices& s = context.Services;
        s.EditSettings = RunSettingsDialog;
        s.Confirm = [this](HWND, const std::string& text) {
            record.Questions.push_back(text);
            return answer;
        };
        s.Message = [this](HWND, UINT, const std::string& text) { record.Messages.push_back(text); };
        s.Open = [this](const std::string& target) {
            record.Opened.push_back(target);
            return true;
        };
        s.PlayPicture = [this](const Project&, const std::string& file) {
            record.Played.push_back(file);
        };
        s.SetWallpaper = [this](const std::string& path) {
            record.Wallpapers.push_back(path);
            return std::string("Wallpaper set.");
        };
        s.Log = [this](const std::string& line) { record.Log.push_back(line); };
    }

    // Shows the definition `name` modally, as the program does, runs `whileOpen` inside its
    // loop and then closes it as the close box would, unless the script closed it already.
    void Show(const std::string& name, std::function<void(Win32ConfigWindow&)> whileOpen = {}) {
        Win32ConfigWindow window(forms, project, name, context);
        ApplyStoredSettings(project, context.SettingsFile);
        RunSoon([&window, whileOpen] {
            if (whileOpen) whileOpen(window);
            if (window.Form().Running()) SendMessageA(window.Handle(), WM_CLOSE, 0, 0);
        });
        window.Run();
    }

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

    bool answer = true;
    TempDir dir;
    std::string program;
    Project project;
    FormDefinitions forms;
    Win32Recorded record;
    Win32ConfigContext context;
};

}  // namespace lv::test
