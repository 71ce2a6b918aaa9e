#include "gui/config/config_actions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "codecs/picture_codecs.h"
#include "codecs/picture_file.h"
#include "common/ascii_case.h"
#include "common/file_util.h"
#include "platform/user_folders.h"
#include "project/image_package.h"

namespace lv {

namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The scheme of an address ("https" of "https://..."), empty for a path. A single letter before
// the colon is a drive ("C:\Docs"), not a scheme.
std::string SchemeOf(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2) return {};
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return {};
    for (size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
    }
    return AsciiLowerCase(text.substr(0, colon));
}

// Types that run something when the desktop opens them.
bool IsProgramExtension(const std::string& extension) {
    static constexpr std::array<const char*, 26> programs = {
        ".desktop", ".exe",  ".com", ".bat", ".cmd", ".scr",      ".pif", ".msi", ".cpl",
        ".lnk",     ".url",  ".vbs", ".vbe", ".js",  ".jse",      ".wsf", ".ps1", ".hta",
        ".sh",      ".bash", ".py",  ".pl",  ".jar", ".appimage", ".run", ".bin"};
    return std::find(programs.begin(), programs.end(), extension) != programs.end();
}

// A program or desktop entry recognised by its first bytes, whatever its name says.
bool StartsLikeProgram(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 64> head{};
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    const std::string_view start(head.data(), static_cast<size_t>(in.gcount()));
    if (start.substr(0, 4) ==
            "\x7f"
            "ELF" ||
        start.substr(0, 2) == "#!" || start.substr(0, 2) == "MZ")
        return true;
    // A desktop entry may open with comments and blank lines before its group header.
    return start.find("[Desktop Entry]") != std::string_view::npos;
}

OpenDecision Refuse(std::string reason) {
    OpenDecision decision;
    decision.Reason = std::move(reason);
    return decision;
}

OpenDecision OpenAddress(std::string address) {
    OpenDecision decision;
    decision.Kind = OpenDecision::What::Address;
    decision.Target = std::move(address);
    return decision;
}

// A web site written without its scheme: "www.example.org", or the project's own site setting
// when that has no scheme either. Only host name characters may come before the first "/".
bool LooksLikeSiteWithoutScheme(std::string_view text, std::string_view website) {
    const std::string_view host = text.substr(0, text.find('/'));
    if (host.find('.') == std::string_view::npos) return false;
    const bool hostCharacters = std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '-' || c == '.';
    });
    if (!hostCharacters) return false;
    const bool startsWithWww = AsciiLowerCase(text.substr(0, 4)) == "www.";
    const bool startsWithSite =
        !website.empty() && SchemeOf(website).empty() &&
        AsciiLowerCase(text.substr(0, website.size())) == AsciiLowerCase(website);
    return startsWithWww || startsWithSite;
}

std::string WithForwardSlashes(std::string_view text) {
    std::string name(text);
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

bool NamesFileIn(std::string_view text, const std::string& workingFolder) {
    std::error_code ec;
    return !workingFolder.empty() &&
           fs::exists(fs::path(workingFolder) / WithForwardSlashes(text), ec);
}

// Which file of the working folder `text` names, and whether it may be opened.
OpenDecision DecideLocalFile(std::string_view text, const std::string& workingFolder) {
    const std::string quoted = "'" + std::string(text) + "'";
    if (workingFolder.empty())
        return Refuse(quoted + ": there is no working folder to open files from");
    const std::string name = WithForwardSlashes(text);
    std::error_code ec;
    const fs::path folder = fs::canonical(workingFolder, ec);
    if (ec) return Refuse(quoted + ": the working folder is not there");
    fs::path candidate(name);
    if (candidate.is_relative()) candidate = folder / candidate;
    const fs::path file = fs::canonical(candidate, ec);
    if (ec) return Refuse(quoted + ": no such file");
    // Inside the folder, after every link is resolved: a relative path cannot climb out of it.
    const auto [folderEnd, fileAt] =
        std::mismatch(folder.begin(), folder.end(), file.begin(), file.end());
    if (folderEnd != folder.end() || fileAt == file.end())
        return Refuse(quoted + " lies outside the working folder");
    const fs::file_status status = fs::status(file, ec);
    if (ec || !fs::is_regular_file(status)) return Refuse(quoted + " is not a regular file");
    const auto execute = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    if ((status.permissions() & execute) != fs::perms::none)
        return Refuse(quoted + " is an executable file");
    if (IsProgramExtension(AsciiLowerCase(file.extension().string())) || StartsLikeProgram(file))
        return Refuse(quoted + " is a program or desktop entry");

    OpenDecision decision;
    decision.Kind = OpenDecision::What::File;
    decision.Target = file.string();
    return decision;
}

}  // namespace

int ClampPictureIndex(int n, size_t pictureCount) {
    const int count = static_cast<int>(std::min<size_t>(pictureCount, 0x7fffffff));
    if (n >= count) n = count - 1;
    if (n < 0) n = 0;
    return n;
}

std::string WallpaperPath(const std::string& startedPath) {
    const std::string beside = startedPath + ".bmp";
    const std::filesystem::path folder = std::filesystem::path(startedPath).parent_path();
    if (KeepBesideProgram(beside, AccessOfFolder(folder.string()))) return beside;
    return UserDataFolder() + "lorvane/" + std::filesystem::path(beside).filename().string();
}

Bitmap32 LoadWallpaperPicture(const std::string& file) {
    if (PictureFileKindOf(file) != PictureFileKind::ImagePackage) return LoadPictureFile(file);
    ImagePackage package;
    package.Load(file);
    return std::move(package.Picture);
}

void WriteWallpaperFile(const std::string& path, const Bitmap32& picture) {
    // The user's data folder may not hold the program's folder yet.
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    WriteFileAtomically(path, EncodeBmp24(picture));
}

OpenDecision DecideOpenDocument(std::string_view parameter, const std::string& workingFolder,
                                std::string_view website) {
    const std::string_view text = Trim(parameter);
    if (text.empty()) return Refuse("nothing to open");
    if (std::any_of(text.begin(), text.end(),
                    [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
        return Refuse("'" + std::string(text) + "' holds control characters");

    const std::string scheme = SchemeOf(text);
    if (!scheme.empty()) {
        if (scheme != "http" && scheme != "https" && scheme != "mailto")
            return Refuse("'" + std::string(text) +
                          "': only http, https and mailto addresses are opened");
        if (text.size() <= scheme.size() + 1)
            return Refuse("'" + std::string(text) + "' names no address");
        return OpenAddress(std::string(text));
    }

    if (LooksLikeSiteWithoutScheme(text, Trim(website)) && !NamesFileIn(text, workingFolder))
        return OpenAddress("https://" + std::string(text));
    return DecideLocalFile(text, workingFolder);
}

}  // namespace lv
