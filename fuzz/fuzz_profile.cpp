// Profile-file reader and the user settings laid over a project.
#include <exception>
#include <string>

#include "fuzz_util.h"
#include "project/profile_file.h"
#include "project/project.h"
#include "project/user_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto input = lvfuzz::WriteInput("settings.ini", data, size);
    try {
        const lv::ProfileFile profile = lv::ProfileFile::Load(input);
        for (const char* section : {"Setting", "Files", "UI"}) {
            for (const std::string& key : profile.ReadSectionKeys(section)) {
                (void)profile.ReadString(section, key, "");
                (void)profile.ReadInteger(section, key, 0);
            }
        }
        (void)profile.Text();
        // A project with a few pictures, so [Files] keys can name existing entries.
        lv::Project project;
        for (int i = 0; i < 4; ++i) {
            project.FileList.Files.push_back("p" + std::to_string(i) + ".lvp");
            project.FileList.Enabled.push_back("TRUE");
        }
        if (const auto stored = lv::ReadUserSettings(input.string()))
            lv::ApplyUserSettings(project, *stored);
    } catch (const std::exception&) {
    }
    lvfuzz::ClearScratch();
    return 0;
}
