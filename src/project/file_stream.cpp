#include "project/file_stream.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "common/error.h"
#include "common/file_util.h"

namespace lv {

FileStream::FileStream(const std::string& path, StreamMode mode) : path_(path) {
    file_.reset(std::fopen(path.c_str(), mode == StreamMode::Create ? "w+be" : "rbe"));
    if (!file_) throw Error(std::string("cannot open file: ") + std::strerror(errno), path);
    struct stat info {};
    if (::fstat(::fileno(file_.get()), &info) != 0)
        throw Error(std::string("cannot read file: ") + std::strerror(errno), path);
    // A directory or a device has no size to check lengths against.
    if (!S_ISREG(info.st_mode)) throw Error("cannot open file: not a regular file", path);
    size_ = static_cast<int64_t>(info.st_size);
}

void FileStream::CheckAvailable(int64_t count) const {
    if (count < 0 || count > Remaining()) throw ReadError(path_);
}

void FileStream::ReadBuffer(void* destination, int64_t count) {
    CheckAvailable(count);
    if (count == 0) return;
    const size_t n = std::fread(destination, 1, static_cast<size_t>(count), file_.get());
    position_ += static_cast<int64_t>(n);
    // The file shrank since it was opened, or the disk failed.
    if (n != static_cast<size_t>(count)) throw ReadError(path_);
}

int32_t FileStream::ReadInt() {
    unsigned char bytes[4];
    ReadBuffer(bytes, 4);
    return ReadLE32(bytes);
}

std::string FileStream::ReadSignature(int count) {
    if (count < 0 || count > 8) throw Error("signature longer than 8 bytes requested", path_);
    char bytes[8];
    ReadBuffer(bytes, count);
    return std::string(bytes, static_cast<size_t>(count));
}

void FileStream::ReadToMemory(std::string& memory, int64_t count) {
    CheckAvailable(count);
    memory.resize(static_cast<size_t>(count));
    ReadBuffer(memory.data(), count);
}

}  // namespace lv
