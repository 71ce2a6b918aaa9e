#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

// A container is a 13-byte marker, a 32-bit entry count and that many entries, each a 32-bit
// length followed by its bytes (little-endian, signed, no padding). Entries carry no names: the
// reader supplies one output file per entry. A saver is the engine's program file with the
// outer container appended; nested containers are entries of it.
//
// The marker is the key below with 1 added to every byte. The engine searches its own file from
// byte 0 for it, so the marker bytes must never occur in the engine: the key is stored plain, the
// reader subtracts 1 from the file's bytes before comparing, and the writer forms the marker at
// run time.
inline constexpr char ContainerMarkerKey[] = "{LVRESROURCE}";
inline constexpr size_t ContainerMarkerSize = sizeof(ContainerMarkerKey) - 1;

struct MarkerPosition {
    bool Found = false;
    int64_t Offset = 0;  // first byte after the marker
    int32_t Value = 0;   // the 32-bit value stored there: the entry count
};

// Searches the file from its first byte for the first complete marker. Raises lv::Error naming
// the file when it cannot be opened or read, ReadError when the marker ends the file with no
// room for the count behind it.
MarkerPosition FindMarker(const std::filesystem::path& path);

// Writes entry k of the container in the file at `path` to outputs[k]. Everything is checked
// before any output is created: a file without a marker ("no saver package found in FILE"), a
// negative count, a count that differs from the number of outputs, and a negative length or one
// beyond the bytes that remain (a truncated file) all raise lv::FormatError naming the file.
// Each output is written under a temporary name and renamed into place; nothing outside the
// given paths (and their temporary names) is written. An output that already is a regular file
// holding exactly the entry's bytes is left as it is: another instance may be reading it.
void SplitContainer(const std::filesystem::path& path,
                    const std::vector<std::filesystem::path>& outputs);

// SplitContainer, except that entry `nestedEntry`, itself a container, is not written as a file:
// its entries go straight to the paths `nestedOutputs` gives, which it may read from the
// entries written before it is called. The nested container is checked as one in a file of its
// own, named in messages by outputs[nestedEntry], and must lie within its entry.
void SplitContainerWithNested(const std::filesystem::path& path,
                              const std::vector<std::filesystem::path>& outputs,
                              size_t nestedEntry,
                              const std::function<std::vector<std::filesystem::path>()>& nestedOutputs);

// The 13 marker bytes, formed at run time.
std::string ContainerMarker();
// Appends a container holding `entries` to `out`. Raises lv::Error when an entry or the count
// does not fit the 32-bit fields.
void AppendContainer(std::string& out, const std::vector<std::string_view>& entries);
std::string BuildContainer(const std::vector<std::string_view>& entries);

}  // namespace lv
