// lvtool uninstall-hack: takes a saver added by install-hack off xscreensaver's list again.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "command.h"
#include "common/error.h"
#include "hack_files.h"
#include "xscreensaver_programs.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {}, {});
    args.ExpectPositionalCount(1);
    const std::string label = args.Required(0, "NAME");
    XscreensaverPrograms programs(ReadXscreensaverFile(), XscreensaverFilePath());
    const auto command = programs.Remove(label);
    if (!command)
        throw lv::Error("lists no screen saver labelled '" + label + "'", XscreensaverFilePath());
    WriteXscreensaverFile(programs.Text());

    // Only a copy install-hack made is removed; a saver used in place stays.
    const fs::path program = HackCommandProgram(*command);
    std::error_code error;
    const bool copied = program.parent_path() == fs::path(InstalledSaversFolder()).parent_path();
    if (copied && fs::remove(program, error)) std::printf("%s: removed\n", program.c_str());
    std::printf("%s: taken off the list in %s\n", label.c_str(), XscreensaverFilePath().c_str());
    return 0;
}

const CommandRegistration registration({
    "uninstall-hack",
    "NAME",
    "take a saver added by install-hack off xscreensaver's list",
    "Removes the entry labelled NAME from the programs: list of ~/.xscreensaver, leaving\n"
    "every other line as it is, and deletes the saver's copy in\n"
    "$XDG_DATA_HOME/lorvane/savers/ when the entry ran one. The saver's user settings file\n"
    "is kept.",
    Run,
});

}  // namespace
}  // namespace lvtool
