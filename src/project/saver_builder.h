#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lv {

// One file packed into a saver.
struct SaverFile {
    std::string Name;   // stored name, without folder
    std::string Bytes;
    bool Listed = true;   // a picture of the file list; other files (music) are only packed
    bool Enabled = true;  // its stored on/off state in the file list
};

// What a saver's package holds besides the engine.
struct SaverContents {
    std::string SettingsText;  // the project settings INI text, stored as given
    std::string UIFile = "LVGUI.lvu";  // the UI text's UIFile value
    std::string Forms;         // the form-definition text (LVGUI.lvu)
    std::vector<SaverFile> Files;
};

// The file-list INI text: [FileListHeader] Header=1, then [FileList] with one key per listed
// file, value 1 or 0, lines ended by CR LF.
std::string BuildFileListText(const std::vector<SaverFile>& files);
// "[UI]\r\nUIFile=...\r\n".
std::string BuildUIText(const std::string& uiFile);
// LVFilenames.res: one name per line, each ended by CR LF.
std::string BuildFileNamesText(const std::vector<SaverFile>& files);
// The settings container (LVC.res).
std::string BuildSettingsContainer(const SaverContents& contents);
// The outer container: LVC.res, LVFilenames.res, LVFiles.res, LVGUI.lvu. Every name must pass
// PackedNameProblem (saver_package.h), so whatever is built also unpacks, and no two names may
// differ only in letter case; lv::Error names the file at fault.
std::string BuildPackage(const SaverContents& contents);

// Writes engine + package to `output` atomically, executable. Raises lv::Error naming what is
// at fault (a name BuildPackage refuses, an unreadable engine, one that already carries a
// package) before anything is written.
void BuildSaver(const std::filesystem::path& output, const std::filesystem::path& engine,
                const SaverContents& contents);

}  // namespace lv
