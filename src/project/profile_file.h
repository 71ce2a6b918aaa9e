#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

// A profile ("INI") file with the conventions the saver's stored files were written under:
// `[Section]` lines and `Key=Value` lines, section and key names compared without regard to
// ASCII letter case, the first matching section and the first matching key in it winning.
// Lines end in CR LF (a bare LF is read as well). Names and values are trimmed of blanks; a value
// enclosed in a matching pair of double or single quotes loses the quotes. Lines starting with
// ";" and lines without "=" carry no key.
//
// Reads mirror the fixed buffers of the profile functions the files were made for: a text value
// arrives with at most `MaxValueLength` characters, and the key names of a section are listed only
// as far as they fit, each with its terminating zero, into `KeyListBufferSize` bytes (one byte is
// kept for the final terminator; a name that does not fit whole is not listed).
//
// The object holds the lines in memory; `Save` writes them back through a temporary file and a
// rename, so a crash never leaves half a file.
class ProfileFile {
public:
    static constexpr size_t MaxValueLength = 2047;
    static constexpr size_t KeyListBufferSize = 16384;

    ProfileFile() = default;
    // A missing file reads as empty; an unreadable one raises lv::Error naming it.
    static ProfileFile Load(const std::filesystem::path& path);
    static ProfileFile Parse(std::string_view text);

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // Decimal, or hexadecimal after "0x" or "$", with an optional sign; anything else (an
    // empty value, trailing characters, a number beyond 32 bits) gives `fallback`.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // An integer read as above; non-zero is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    // The key names of the first matching section, in stored order.
    std::vector<std::string> ReadSectionKeys(std::string_view section) const;

    // Replaces the value of the first matching key in place, or appends the key to the first
    // matching section, creating the section at the end when there is none.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Removes every section of that name with all its lines.
    void EraseSection(std::string_view section);

    // The lines, each ended by CR LF.
    std::string Text() const;
    void Save(const std::filesystem::path& path) const;

private:
    struct Line {
        std::string text;     // as stored, without its line end
        std::string section;  // section name when this line is a section header
        std::string key;      // key name when this line is a key line
        std::string value;
        bool isSection = false;
        bool isKey = false;
    };

    static Line ParseLine(std::string text);
    // Index of the first header line of `section`, or npos.
    size_t FindSection(std::string_view section) const;
    // Index of the first key line of `key` in the section whose header is at `header`, or npos.
    size_t FindKey(size_t header, std::string_view key) const;
    const Line* FindKeyLine(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
};

// Single writes of a file on disk: load, change, write back atomically.
void WriteProfileString(const std::filesystem::path& path, std::string_view section,
                        std::string_view key, std::string_view value);
void EraseProfileSection(const std::filesystem::path& path, std::string_view section);

// The integer rule of profile values on its own (used for key names that are numbers, too).
bool ParseProfileInteger(std::string_view text, int32_t& value);

}  // namespace lv
