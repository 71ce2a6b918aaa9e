#include "project/profile_file.h"

#include <system_error>

#include "common/ascii_case.h"
#include "common/error.h"
#include "common/file_util.h"

namespace lv {
namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseProfileInteger(std::string_view text, int32_t& value) {
    std::string_view s = Trim(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    bool hex = false;
    if (!s.empty() && s.front() == '$') {
        hex = true;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hex = true;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    // Hexadecimal spells the 32-bit pattern (0xFFFFFFFF is -1); decimal must fit the signed range.
    const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t magnitude = 0;
    for (const char c : s) {
        const int digit = hex ? HexDigit(c) : ((c >= '0' && c <= '9') ? c - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (magnitude > limit) return false;
    }
    const auto bits = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
    value = static_cast<int32_t>(bits);
    return true;
}

ProfileFile ProfileFile::Load(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return {};
    return Parse(ReadFileBytes(path));
}

ProfileFile ProfileFile::Parse(std::string_view text) {
    ProfileFile file;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        file.lines_.push_back(ParseLine(std::string(line)));
        start = next;
    }
    return file;
}

ProfileFile::Line ProfileFile::ParseLine(std::string text) {
    Line line;
    const std::string_view trimmed = Trim(text);
    if (!trimmed.empty() && trimmed.front() == '[') {
        const size_t close = trimmed.find(']');
        const std::string_view name =
            trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        line.section = std::string(Trim(name));
        line.isSection = true;
    } else if (!trimmed.empty() && trimmed.front() != ';') {
        const size_t eq = trimmed.find('=');
        if (eq != std::string_view::npos && !Trim(trimmed.substr(0, eq)).empty()) {
            line.key = std::string(Trim(trimmed.substr(0, eq)));
            std::string_view value = Trim(trimmed.substr(eq + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            line.value = std::string(value);
            line.isKey = true;
        }
    }
    line.text = std::move(text);
    return line;
}

size_t ProfileFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].isSection && EqualsIgnoreCase(lines_[i].section, section)) return i;
    return std::string::npos;
}

size_t ProfileFile::FindKey(size_t header, std::string_view key) const {
    for (size_t i = header + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (lines_[i].isKey && EqualsIgnoreCase(lines_[i].key, key)) return i;
    return std::string::npos;
}

const ProfileFile::Line* ProfileFile::FindKeyLine(std::string_view section,
                                                  std::string_view key) const {
    const size_t header = FindSection(section);
    if (header == std::string::npos) return nullptr;
    const size_t at = FindKey(header, key);
    return at == std::string::npos ? nullptr : &lines_[at];
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(section) != std::string::npos;
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
    return FindKeyLine(section, key) != nullptr;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    const Line* line = FindKeyLine(section, key);
    std::string_view value = line ? std::string_view(line->value) : fallback;
    // The profile functions drop trailing blanks of the default as well.
    if (!line)
        while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
    return std::string(value.substr(0, MaxValueLength));
}

int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t fallback) const {
    int32_t value = 0;
    return ParseProfileInteger(ReadString(section, key, ""), value) ? value : fallback;
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::string> ProfileFile::ReadSectionKeys(std::string_view section) const {
    std::vector<std::string> keys;
    const size_t header = FindSection(section);
    if (header == std::string::npos) return keys;
    size_t used = 1;  // the zero that ends the list
    for (size_t i = header + 1; i < lines_.size() && !lines_[i].isSection; ++i) {
        if (!lines_[i].isKey) continue;
        const size_t need = lines_[i].key.size() + 1;
        if (used + need > KeyListBufferSize) break;
        used += need;
        keys.push_back(lines_[i].key);
    }
    return keys;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    // A line break would smuggle further lines (keys, sections) into the file.
    for (const std::string_view part : {section, key, value})
        if (part.find_first_of("\r\n") != std::string_view::npos)
            throw Error("profile names and values cannot hold line breaks");
    size_t header = FindSection(section);
    if (header == std::string::npos) {
        lines_.push_back(ParseLine("[" + std::string(section) + "]"));
        header = lines_.size() - 1;
    }
    const size_t at = FindKey(header, key);
    if (at != std::string::npos) {
        // Keep the stored spelling of the key name.
        lines_[at] = ParseLine(lines_[at].key + "=" + std::string(value));
        return;
    }
    // Append behind the section's last key, before any blank lines that separate it from the next.
    size_t insert = header + 1;
    for (size_t i = header + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (!Trim(lines_[i].text).empty()) insert = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert),
                  ParseLine(std::string(key) + "=" + std::string(value)));
}

void ProfileFile::EraseSection(std::string_view section) {
    std::vector<Line> kept;
    bool erasing = false;
    for (auto& line : lines_) {
        if (line.isSection) erasing = EqualsIgnoreCase(line.section, section);
        if (!erasing) kept.push_back(std::move(line));
    }
    lines_ = std::move(kept);
}

std::string ProfileFile::Text() const {
    std::string text;
    for (const auto& line : lines_) {
        text += line.text;
        text += "\r\n";
    }
    return text;
}

void ProfileFile::Save(const fs::path& path) const { WriteFileAtomically(path, Text()); }

void WriteProfileString(const fs::path& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileFile file = ProfileFile::Load(path);
    file.WriteString(section, key, value);
    file.Save(path);
}

void EraseProfileSection(const fs::path& path, std::string_view section) {
    ProfileFile file = ProfileFile::Load(path);
    file.EraseSection(section);
    file.Save(path);
}

}  // namespace lv
