// lvtool project: the project settings the engine loads from a saver or an LVC.res, as JSON.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <variant>

#include "command.h"
#include "common/error.h"
#include "json_writer.h"
#include "platform/user_folders.h"
#include "project/container.h"
#include "project/project.h"
#include "project/saver_package.h"
#include "project/user_settings.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

// A folder of its own for the settings container of a saver, removed again afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = lv::PrivateTempFolder() + "lvtool-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw lv::Error("cannot create a scratch folder", pattern);
        path_ = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void LoadProject(lv::Project& project, const std::string& path) {
    // A settings container holds three entries, a saver's outer container four.
    const lv::MarkerPosition marker = lv::FindMarker(path);
    if (!marker.Found) throw lv::FormatError("no saver package found in " + path);
    if (marker.Value == 3) {
        project.Load(path);
        return;
    }
    const ScratchFolder scratch;
    lv::SplitContainer(path, lv::OuterEntryPaths(scratch.Path()));
    project.Load(scratch.Path() + lv::SettingsContainerName);
}

void PrintProject(const lv::Project& project) {
    JsonWriter json;
    json.BeginObject();
    json.Key("files");
    json.BeginArray();
    for (const auto& name : project.FileList.Files) json.String(name);
    json.EndArray();
    json.Key("enabled");
    json.BeginArray();
    for (const auto& state : project.FileList.Enabled) json.String(state);
    json.EndArray();
    json.Key("settings");
    json.BeginObject();
    for (const auto& key : lv::SettingKeys()) {
        json.Key(key.Key);
        std::visit(
            [&](auto field) {
                const auto& value = project.Setting.*field;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, bool>) json.Bool(value);
                else if constexpr (std::is_same_v<T, int>) json.Integer(value);
                else json.String(value);
            },
            key.Field);
    }
    json.EndObject();
    json.Key("ui");
    json.BeginObject();
    json.Key("UIFile");
    json.String(project.UISetting.UIFile);
    json.EndObject();
    json.EndObject();
    std::fputs(json.Text().c_str(), stdout);
}

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {"user-settings"}, {});
    args.ExpectPositionalCount(1);
    lv::Project project;
    LoadProject(project, args.Required(0, "SAVER_OR_LVC_RES"));
    if (const auto settings = args.Value("user-settings")) {
        if (!fs::is_regular_file(*settings))
            throw lv::Error("no user settings file there", *settings);
        // As a show starts: every picture on, then the user's choices on top.
        for (auto& state : project.FileList.Enabled) state = "TRUE";
        if (const auto stored = lv::ReadUserSettings(*settings))
            lv::ApplyUserSettings(project, *stored);
    }
    PrintProject(project);
    return 0;
}

const CommandRegistration registration({
    "project",
    "SAVER_OR_LVC_RES [--user-settings FILE]",
    "print the project settings a saver (or its LVC.res) holds, as JSON",
    "Prints {\"files\", \"enabled\", \"settings\" (one member per settings key), \"ui\"}\n"
    "with the names as stored. --user-settings FILE turns every picture on and lays the\n"
    "user settings FILE over the project, as a show does when it starts.",
    Run,
});

}  // namespace
}  // namespace lvtool
