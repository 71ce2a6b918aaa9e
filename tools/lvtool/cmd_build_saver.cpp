// lvtool build-saver: a saver made of the engine and a package of project files.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "command.h"
#include "default_forms.h"
#include "engine_path.h"
#include "common/error.h"
#include "common/file_util.h"
#include "platform/user_folders.h"
#include "project/saver_builder.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

// Files the show can display; anything else (music, sounds) is packed without being listed.
bool IsPictureName(const std::string& name) {
    std::string ext = fs::path(name).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".lvp" || ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".bmp" ||
           ext == ".gif";
}

std::vector<std::string> OffNames(const std::vector<std::string>& words) {
    // Arguments keeps one value per option; --off may be repeated, so collect it here.
    std::vector<std::string> names;
    for (size_t i = 0; i + 1 < words.size(); ++i)
        if (words[i] == "--off") names.push_back(words[++i]);
    return names;
}

std::vector<std::string> WithoutOff(const std::vector<std::string>& words) {
    std::vector<std::string> rest;
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i] == "--off") {
            if (i + 1 >= words.size()) throw UsageError{"option --off needs a value"};
            ++i;
            continue;
        }
        rest.push_back(words[i]);
    }
    return rest;
}

int Run(const std::vector<std::string>& words) {
    const Arguments args(WithoutOff(words), {"engine", "settings", "forms"}, {});
    const std::vector<std::string> off = OffNames(words);
    const std::string output = args.Required(0, "OUT");

    const std::string engine = args.Value("engine").value_or(DefaultEngine());

    lv::SaverContents contents;
    if (const auto settings = args.Value("settings")) contents.SettingsText = lv::ReadFileBytes(*settings);
    if (const auto forms = args.Value("forms")) {
        contents.Forms = lv::ReadFileBytes(*forms);
        contents.UIFile = fs::path(*forms).filename().string();
    } else {
        contents.Forms = std::string(DefaultFormsText());
    }
    for (size_t i = 1; i < args.Positional().size(); ++i) {
        const std::string& path = args.Positional()[i];
        lv::SaverFile file;
        file.Name = fs::path(path).filename().string();
        file.Bytes = lv::ReadFileBytes(path);
        file.Listed = IsPictureName(file.Name);
        file.Enabled = std::find(off.begin(), off.end(), file.Name) == off.end();
        contents.Files.push_back(std::move(file));
    }
    for (const auto& name : off)
        if (std::none_of(contents.Files.begin(), contents.Files.end(),
                         [&](const lv::SaverFile& f) { return f.Name == name; }))
            throw UsageError{"--off " + name + " names none of the files"};

    lv::BuildSaver(output, engine, contents);
    std::printf("%s: %zu files packed\n", output.c_str(), contents.Files.size());
    return 0;
}

const CommandRegistration registration({
    "build-saver",
    "OUT [--engine PATH] [--settings SETTINGS.ini] [--forms FORMS.lvu] [--off NAME]... FILE...",
    "build a saver: the engine with a package of project files appended",
    "Copies the engine (default: lvcsaver beside lvtool) to OUT and appends the package:\n"
    "LVC.res (file list, the SETTINGS.ini text as given, [UI] UIFile), LVFilenames.res,\n"
    "LVFiles.res with every FILE, and LVGUI.lvu (the FORMS file; without one, the built-in\n"
    "definitions: a main window with preview, thumbnails and buttons, and an About window).\n"
    "Pictures (.lvp .jpg .jpeg .jpe .bmp .gif) are listed in the file list in the order\n"
    "given, on unless named by --off; other files (music, sounds) are packed only.\n"
    "OUT is written atomically and made executable.",
    Run,
});

}  // namespace
}  // namespace lvtool
