// lvtool project: the project settings the engine loads from a saver or an LVC.res, as JSON.
#include <cstdio>
#include <filesystem>
#include <variant>

#include "command.h"
#include "common/error.h"
#include "json_writer.h"
#include "saver_project.h"
#include "project/project.h"
#include "project/user_settings.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

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
    LoadSaverProject(project, args.Required(0, "SAVER_OR_LVC_RES"));
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
