#include "common/file_util.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ios>
#include <iterator>

#include "common/error.h"

namespace lv {
namespace fs = std::filesystem;

std::string ReadFileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error("cannot open file for reading", path.string());
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        // The stream opens a folder, then fails on the first read.
        throw Error("cannot read file", path.string());
    }
    if (in.bad()) throw Error("cannot read file", path.string());
    return bytes;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    fs::path temp = path;
    temp += ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temp.string().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        throw Error(std::string("cannot create file: ") + std::strerror(errno), path.string());
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int saved = errno;
            ::close(fd);
            ::unlink(temp.string().c_str());
            throw Error(std::string("cannot write file: ") + std::strerror(saved), path.string());
        }
        written += static_cast<size_t>(n);
    }
    if (::close(fd) != 0) {
        const int saved = errno;
        ::unlink(temp.string().c_str());
        throw Error(std::string("cannot write file: ") + std::strerror(saved), path.string());
    }
    // fs::rename replaces an existing file on Windows too, where rename() refuses to.
    std::error_code failure;
    fs::rename(temp, path, failure);
    if (failure) {
        ::unlink(temp.string().c_str());
        throw Error("cannot replace file: " + failure.message(), path.string());
    }
}

}  // namespace lv
