// lvtool build-saver: a saver made of the engine and a package of project files.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "codecs/picture_file.h"
#include "command.h"
#include "common/ascii_case.h"
#include "common/error.h"
#include "common/file_util.h"
#include "common/name_case.h"
#include "default_forms.h"
#include "engine_path.h"
#include "project/profile_file.h"
#include "project/saver_builder.h"
#include "project/saver_package.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

// The show reads JPEG pictures only under a ".jpg" name (anything but .jpg, .bmp and .gif it
// takes for an image package), so a ".jpeg" or ".jpe" file is stored under a ".jpg" name.
std::string StoredName(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) return name;
    const std::string extension = lv::AsciiLowerCase(std::string_view(name).substr(dot));
    return extension == ".jpeg" || extension == ".jpe" ? name.substr(0, dot) + ".jpg" : name;
}

// The settings' preview picture must name a file by the name it is stored under.
void CheckPreviewName(const std::string& settingsText, const std::string& given,
                      const std::string& stored) {
    const std::string preview =
        lv::ProfileFile::Parse(settingsText).ReadString("Advance", "PreviewFile", "");
    if (lv::SameNameIgnoringCase(lv::LastComponent(preview), given))
        throw UsageError{"the settings name the preview picture " + given +
                         ", which is stored as " + stored + "; name " + stored + " there"};
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
        const std::string given = fs::path(path).filename().string();
        lv::SaverFile file;
        file.Name = StoredName(given);
        file.Bytes = lv::ReadFileBytes(path);
        file.Listed = lv::PictureFileKindOf(file.Name) != lv::PictureFileKind::Other;
        file.Enabled = std::none_of(off.begin(), off.end(), [&](const std::string& name) {
            return name == given || name == file.Name;
        });
        if (file.Name != given) {
            CheckPreviewName(contents.SettingsText, given, file.Name);
            std::printf("%s: stored as %s, the name the show reads as a JPEG picture\n",
                        given.c_str(), file.Name.c_str());
        }
        contents.Files.push_back(std::move(file));
    }
    for (const auto& name : off)
        if (std::none_of(args.Positional().begin() + 1, args.Positional().end(),
                         [&](const std::string& path) {
                             const std::string given = fs::path(path).filename().string();
                             return name == given || name == StoredName(given);
                         }))
            throw UsageError{"--off " + name + " names none of the files"};

    lv::BuildSaver(output, engine, contents);
    std::printf("%s: %zu files packed\n", output.c_str(), contents.Files.size());
    return 0;
}

const CommandRegistration registration({
    "build-saver",
    "OUT [--engine PATH] [--settings SETTINGS.ini] [--forms FORMS.lvu] [--off NAME]... FILE...",
    "build a saver: the engine with a package of project files appended",
    "Copies the engine (default: lvcsaver beside lvtool, else in its engine folder\n"
    "../libexec/lorvane; a slim program without debug sections) to OUT and appends the package:\n"
    "LVC.res (file list, the SETTINGS.ini text as given, [UI] UIFile), LVFilenames.res,\n"
    "LVFiles.res with every FILE, and LVGUI.lvu (the FORMS file; without one, the built-in\n"
    "definitions: a main window with preview, thumbnails and buttons, and an About window).\n"
    "Pictures (.lvp .jpg .bmp .gif) are listed in the file list in the order given, on\n"
    "unless named by --off; other files (music, sounds) are packed only. A .jpeg or .jpe\n"
    "picture is stored and listed under the same name ending in .jpg (the show reads JPEG\n"
    "pictures only by that name); --off takes either name.\n"
    "OUT is written atomically and made executable.\n"
    "The package is the same for both systems: --engine lvcsaver.exe (the engine of the\n"
    "Windows build, build-windows/bin/) writes a Windows saver, OUT.scr, from the same files.",
    Run,
});

}  // namespace
}  // namespace lvtool
