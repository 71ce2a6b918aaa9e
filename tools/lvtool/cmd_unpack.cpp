// lvtool unpack: the files a saver's package unpacks to, written as the engine writes its
// working folder.
#include <cstdio>
#include <filesystem>

#include "command.h"
#include "project/saver_unpacker.h"

namespace lvtool {
namespace {

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {}, {});
    args.ExpectPositionalCount(2);
    const std::string saver = args.Required(0, "SAVER");
    std::string folder = args.Required(1, "DIR");
    std::filesystem::create_directories(folder);
    if (folder.back() != '/') folder += '/';
    for (const auto& path : lv::UnpackPackage(saver, folder)) std::printf("%s\n", path.c_str());
    return 0;
}

const CommandRegistration registration({
    "unpack",
    "SAVER DIR",
    "unpack a saver's package into DIR as the engine unpacks its working folder",
    "Writes LVC.res, LVFilenames.res and LVGUI.lvu, then every project file named in\n"
    "LVFilenames.res (from the file container, LVFiles.res, which is not written itself),\n"
    "and prints the path of each file written. DIR is created\n"
    "when missing; existing files of the same names are replaced.",
    Run,
});

}  // namespace
}  // namespace lvtool
