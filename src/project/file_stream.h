#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace lv {

enum class StreamMode { Create = 0, Open = 1 };

// A file read front to back. Every read delivers all requested bytes or raises
// lv::ReadError ("Read beyond end of file") naming the file, without reading anything. The
// file's size is taken once when it is opened, so a caller can check a length read from the
// file against what remains before allocating room for it.
class FileStream {
public:
    // Open: an existing regular file, positioned at its start. Create: a new, empty file
    // (an existing one is truncated). Failures raise lv::Error naming the file.
    FileStream(const std::string& path, StreamMode mode);

    void ReadBuffer(void* destination, int64_t count);
    int32_t ReadInt();
    // `count` (at most 8) bytes as text.
    std::string ReadSignature(int count);
    // Replaces `memory` with the next `count` bytes; the length is checked against the rest
    // of the file before `memory` grows.
    void ReadToMemory(std::string& memory, int64_t count);

    int64_t Position() const { return position_; }
    int64_t Remaining() const { return size_ - position_; }
    const std::string& FileName() const { return path_; }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    void CheckAvailable(int64_t count) const;

    std::string path_;
    std::unique_ptr<std::FILE, Closer> file_;
    int64_t size_ = 0;
    int64_t position_ = 0;
};

}  // namespace lv
