#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

// Whole-file reads raise lv::Error naming the file when it cannot be opened or read.
std::string ReadFileBytes(const std::filesystem::path& path);

// Writes to a temporary name beside the target and renames it over the target, so a reader
// (another instance sharing the folder, or the next run after a crash) never sees half a file.
// Raises lv::Error naming the file on failure; the temporary file is removed then.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Little-endian 32-bit integers as every stored format of the system uses them.
inline int32_t ReadLE32(const unsigned char* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 |
                                static_cast<uint32_t>(p[3]) << 24);
}

inline void AppendLE32(std::string& out, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
    out.push_back(static_cast<char>((v >> 16) & 0xFF));
    out.push_back(static_cast<char>((v >> 24) & 0xFF));
}

}  // namespace lv
