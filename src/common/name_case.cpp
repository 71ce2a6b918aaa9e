#include "common/name_case.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/ascii_case.h"

namespace lv {

namespace {

unsigned char FoldCase(unsigned char c) {
    if (c < 0x80) return static_cast<unsigned char>(AsciiLower(static_cast<char>(c)));
    // À … Þ to à … þ; 0xD7 (×) has no small letter.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    return c;
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(static_cast<unsigned char>(x)) ==
                      FoldCase(static_cast<unsigned char>(y));
           });
}

const std::string* FindNameIgnoringCase(const std::vector<std::string>& names,
                                        std::string_view wanted) {
    const auto exact = std::find(names.begin(), names.end(), wanted);
    if (exact != names.end()) return &*exact;
    const auto folded = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
        return SameNameIgnoringCase(name, wanted);
    });
    return folded != names.end() ? &*folded : nullptr;
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    if (folder.empty() || name.empty()) return folder + name;
    const std::string separated = folder.back() == '/' ? folder : folder + "/";
    const std::string exact = separated + name;
    struct stat st {};
    if (::lstat(exact.c_str(), &st) == 0) return exact;

    std::vector<std::string> matches;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (SameNameIgnoringCase(entry, name)) matches.push_back(std::move(entry));
    }
    if (matches.empty()) return exact;
    return separated + *std::min_element(matches.begin(), matches.end());
}

}  // namespace lv
