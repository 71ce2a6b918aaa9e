// lvtool install-hack: a saver added to the screen savers of xscreensaver in one command.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "command.h"
#include "common/error.h"
#include "common/windows1252.h"
#include "hack_files.h"
#include "project/container.h"
#include "project/project.h"
#include "saver_project.h"
#include "xscreensaver_programs.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

// The saver's product name, as the configuration window shows it; the file name when the
// project gives none.
std::string ProductLabel(const std::string& saver) {
    lv::Project project;
    LoadSaverProject(project, saver);
    const std::string name = lv::Windows1252ToUtf8(project.Setting.ProductName);
    return name.empty() ? fs::path(saver).stem().string() : name;
}

// The saver's file name with every character but letters, digits and "._+-" made "_": the
// daemon's settings program wraps long entries at blanks, which would split a name.
std::string CopyName(const fs::path& saver) {
    std::string name = saver.filename().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '+' &&
            c != '-')
            c = '_';
    return name;
}

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {"name"}, {});
    args.ExpectPositionalCount(1);
    const std::string given = args.Required(0, "SAVER");
    std::error_code error;
    const fs::path saver = fs::canonical(given, error);
    if (error || !fs::is_regular_file(saver)) throw lv::Error("no saver there", given);
    const lv::MarkerPosition marker = lv::FindMarker(saver.string());
    if (!marker.Found || marker.Value == 3)
        throw lv::FormatError("no saver package found in " + given);

    const std::string label = args.Value("name").value_or(ProductLabel(saver.string()));
    CheckHackLabel(label);
    // Read and checked before anything is copied, so a failure leaves nothing behind.
    XscreensaverPrograms programs(ReadXscreensaverFile(), XscreensaverFilePath());

    std::string installed = saver.string();
    if (!IsInSystemFolder(installed)) {
        const std::string folder = InstalledSaversFolder();
        fs::create_directories(folder);
        installed = folder + CopyName(saver);
        if (!fs::equivalent(saver, installed, error))
            CopyProgramAtomically(saver.string(), installed);
    }
    programs.Put(label, HackCommand(installed));
    WriteXscreensaverFile(programs.Text());
    std::printf("%s: %s in %s\nxscreensaver-settings now lists it; choose it there.\n",
                label.c_str(), installed.c_str(), XscreensaverFilePath().c_str());
    return 0;
}

const CommandRegistration registration({
    "install-hack",
    "SAVER [--name LABEL]",
    "add a saver to xscreensaver's list of screen savers",
    "Copies SAVER to $XDG_DATA_HOME/lorvane/savers/, blanks and other odd characters of its\n"
    "name made \"_\" (a saver in a system folder, /usr or /opt, such as the packaged demo, is\n"
    "used where it is), and adds one entry running it with --root to the programs: list of\n"
    "~/.xscreensaver, labelled with the saver's product name or LABEL. An entry with the same\n"
    "label is replaced; every other line of the file stays as it is, and the file is replaced\n"
    "in one step. Without ~/.xscreensaver nothing is done: xscreensaver-settings writes that\n"
    "file.",
    Run,
});

}  // namespace
}  // namespace lvtool
