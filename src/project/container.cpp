#include "project/container.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

#include "common/error.h"
#include "common/file_util.h"
#include "project/atomic_output.h"

namespace lv {
namespace fs = std::filesystem;

namespace {

// Large blocks keep the search of a program image of a few megabytes cheap.
constexpr size_t SearchBlockSize = 1 << 20;

// Reads exactly `size` bytes at `offset`; false when the file ends before or a read fails.
bool ReadFully(int fd, unsigned char* buffer, size_t size, int64_t offset) {
    size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, buffer + got, size - got,
                                  static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<size_t>(n);
    }
    return true;
}

// Read through a volatile pointer so that the optimizer cannot turn "file byte - 1 == key byte"
// into a table of marker bytes.
const char* volatile g_markerKey = ContainerMarkerKey;

class FileDescriptor {
public:
    explicit FileDescriptor(const fs::path& path)
        : path_(path), fd_(::open(path.string().c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0)
            throw Error(std::string("cannot open file for reading: ") + std::strerror(errno),
                        path.string());
        // A device or pipe could feed the search forever.
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd_);
            throw Error("not a regular file", path.string());
        }
    }
    ~FileDescriptor() { ::close(fd_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }

    int64_t Size() const {
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            throw Error(std::string("cannot read file: ") + std::strerror(errno), path_.string());
        return st.st_size;
    }

    // Reads up to `size` bytes at the current position; 0 at the end of the file.
    size_t Read(unsigned char* buffer, size_t size) const {
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0) return static_cast<size_t>(n);
            if (errno != EINTR)
                throw Error(std::string("cannot read file: ") + std::strerror(errno),
                            path_.string());
        }
    }

    // Exactly four bytes at `offset` as a signed little-endian integer, or false at the end.
    bool ReadLE32At(int64_t offset, int32_t& value) const {
        unsigned char bytes[4];
        size_t got = 0;
        while (got < 4) {
            const ssize_t n = ::pread(fd_, bytes + got, 4 - got, static_cast<off_t>(offset + got));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0)
                throw Error(std::string("cannot read file: ") + std::strerror(errno),
                            path_.string());
            if (n == 0) return false;
            got += static_cast<size_t>(n);
        }
        value = ReadLE32(bytes);
        return true;
    }

private:
    fs::path path_;
    int fd_;
};

// Offset just past the first complete marker, or -1. A match in progress carries over from one
// block to the next. The first marker byte occurs nowhere else in the marker, so a failed match
// restarts at the failing byte itself.
int64_t SearchMarker(const FileDescriptor& file) {
    const char* key = g_markerKey;
    const auto startByte = static_cast<unsigned char>(key[0] + 1);
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[SearchBlockSize]);
    size_t matched = 0;
    int64_t consumed = 0;
    for (;;) {
        const size_t n = file.Read(buffer.get(), SearchBlockSize);
        if (n == 0) return -1;
        const unsigned char* block = buffer.get();
        size_t i = 0;
        while (i < n) {
            if (matched == 0) {
                const void* hit = std::memchr(block + i, startByte, n - i);
                if (hit == nullptr) break;
                i = static_cast<size_t>(static_cast<const unsigned char*>(hit) - block) + 1;
                matched = 1;
            } else if (static_cast<unsigned char>(block[i] - 1) ==
                       static_cast<unsigned char>(key[matched])) {
                ++matched;
                ++i;
            } else {
                matched = 0;
                continue;
            }
            if (matched == ContainerMarkerSize) return consumed + static_cast<int64_t>(i);
        }
        consumed += static_cast<int64_t>(n);
    }
}

struct EntrySpan {
    int64_t offset;
    int64_t length;
};

// Whether the regular file at `target` holds exactly the entry's bytes of `source`. Anything
// that cannot be read counts as different, so it is written anew.
bool HoldsEntry(const fs::path& target, const FileDescriptor& source, const EntrySpan& entry) {
    struct stat st {};
    if (::lstat(target.string().c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size != entry.length)
        return false;
    const int fd = ::open(target.string().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    constexpr size_t BlockSize = 1 << 16;
    std::unique_ptr<unsigned char[]> mine(new unsigned char[BlockSize]);
    std::unique_ptr<unsigned char[]> theirs(new unsigned char[BlockSize]);
    bool same = true;
    int64_t done = 0;
    while (same && done < entry.length) {
        const size_t piece = static_cast<size_t>(
            std::min<int64_t>(static_cast<int64_t>(BlockSize), entry.length - done));
        same = ReadFully(fd, theirs.get(), piece, done) &&
               ReadFully(source.Get(), mine.get(), piece, entry.offset + done) &&
               std::memcmp(mine.get(), theirs.get(), piece) == 0;
        done += static_cast<int64_t>(piece);
    }
    ::close(fd);
    return same;
}

}  // namespace

MarkerPosition FindMarker(const fs::path& path) {
    const FileDescriptor file(path);
    MarkerPosition result;
    const int64_t offset = SearchMarker(file);
    if (offset < 0) return result;
    if (!file.ReadLE32At(offset, result.Value)) throw ReadError(path.string());
    result.Found = true;
    result.Offset = offset;
    return result;
}

void SplitContainer(const fs::path& path, const std::vector<fs::path>& outputs) {
    const FileDescriptor file(path);
    const std::string name = path.string();
    const int64_t markerEnd = SearchMarker(file);
    if (markerEnd < 0) throw FormatError("no saver package found in " + name);
    const int64_t size = file.Size();

    // Walk the whole layout first, so that a damaged container creates no file at all.
    int32_t count = 0;
    if (!file.ReadLE32At(markerEnd, count))
        throw FormatError("the container's entry count is cut off", name);
    if (count < 0)
        throw FormatError("the container has a negative entry count (" + std::to_string(count) +
                              ")", name);
    if (static_cast<size_t>(count) != outputs.size())
        throw FormatError("the container holds " + std::to_string(count) + " entries, " +
                              std::to_string(outputs.size()) + " were expected", name);
    std::vector<EntrySpan> entries;
    entries.reserve(outputs.size());
    int64_t position = markerEnd + 4;
    for (int32_t k = 0; k < count; ++k) {
        const std::string which =
            "entry " + std::to_string(k + 1) + " of " + std::to_string(count);
        int32_t length = 0;
        if (!file.ReadLE32At(position, length))
            throw FormatError("the length of " + which + " is cut off (truncated file)", name);
        position += 4;
        if (length < 0)
            throw FormatError(which + " has a negative length (" + std::to_string(length) + ")",
                              name);
        if (length > size - position)
            throw FormatError(which + " needs " + std::to_string(length) + " bytes, only " +
                                  std::to_string(size - position) +
                                  " remain (truncated file)", name);
        entries.push_back({position, length});
        position += length;
    }

    for (size_t k = 0; k < entries.size(); ++k) {
        if (HoldsEntry(outputs[k], file, entries[k])) continue;
        AtomicOutputFile out(outputs[k]);
        out.CopyFrom(file.Get(), entries[k].offset, entries[k].length, path);
        out.Commit();
    }
}

std::string ContainerMarker() {
    // The added one is read through a volatile, so no marker constant is ever compiled in.
    static volatile unsigned char one = 1;
    std::string marker;
    marker.reserve(ContainerMarkerSize);
    for (size_t i = 0; i < ContainerMarkerSize; ++i)
        marker.push_back(static_cast<char>(static_cast<unsigned char>(g_markerKey[i]) + one));
    return marker;
}

void AppendContainer(std::string& out, const std::vector<std::string_view>& entries) {
    constexpr auto limit = static_cast<size_t>(std::numeric_limits<int32_t>::max());
    if (entries.size() > limit) throw Error("too many entries for a container");
    out += ContainerMarker();
    AppendLE32(out, static_cast<int32_t>(entries.size()));
    for (const auto entry : entries) {
        if (entry.size() > limit) throw Error("a container entry exceeds 2 GiB");
        AppendLE32(out, static_cast<int32_t>(entry.size()));
        out.append(entry);
    }
}

std::string BuildContainer(const std::vector<std::string_view>& entries) {
    std::string out;
    AppendContainer(out, entries);
    return out;
}

}  // namespace lv
