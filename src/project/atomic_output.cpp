#include "project/atomic_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "common/error.h"

namespace lv {
namespace fs = std::filesystem;

namespace {

constexpr size_t CopyBlockSize = 1 << 20;

// Distinguishes the temporary names of several writers in one process.
std::atomic<unsigned> g_tempCounter{0};

constexpr std::string_view TemporaryMark = ".tmp";

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool IsTemporaryNameOf(std::string_view candidate, std::string_view target) {
    if (candidate.size() <= target.size() + TemporaryMark.size() ||
        candidate.substr(0, target.size()) != target ||
        candidate.substr(target.size(), TemporaryMark.size()) != TemporaryMark)
        return false;
    const std::string_view numbers = candidate.substr(target.size() + TemporaryMark.size());
    const size_t dot = numbers.find('.');
    return dot != std::string_view::npos && IsDigits(numbers.substr(0, dot)) &&
           IsDigits(numbers.substr(dot + 1));
}

AtomicOutputFile::AtomicOutputFile(fs::path target, mode_t mode) : target_(std::move(target)) {
    temp_ = target_;
    temp_ += std::string(TemporaryMark) + std::to_string(::getpid()) + "." +
             std::to_string(g_tempCounter++);
    fd_ = ::open(temp_.string().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd_ < 0)
        throw Error(std::string("cannot create file: ") + std::strerror(errno), target_.string());
    // The mode given to open() is narrowed by the umask; an executable must stay executable.
    if (mode != 0644) ::fchmod(fd_, mode);
}

AtomicOutputFile::~AtomicOutputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.string().c_str());
    }
}

void AtomicOutputFile::Fail(const char* what) {
    const int saved = errno;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temp_.string().c_str());
    throw Error(std::string(what) + ": " + std::strerror(saved), target_.string());
}

void AtomicOutputFile::Write(std::string_view bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail("cannot write file");
        written += static_cast<size_t>(n);
    }
}

void AtomicOutputFile::CopyFrom(int sourceFd, int64_t offset, int64_t length,
                                const fs::path& sourceName) {
    off_t in = static_cast<off_t>(offset);
    int64_t left = length;
    // copy_file_range keeps the bytes out of user space (and shares blocks on file systems
    // that can); a pread/write loop takes over where the kernel cannot do it.
    while (left > 0) {
        const ssize_t n = ::copy_file_range(sourceFd, &in, fd_, nullptr,
                                            static_cast<size_t>(left), 0);
        if (n > 0) {
            left -= n;
            continue;
        }
        if (n == 0) throw ReadError(sourceName.string());
        if (errno == EINTR) continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP ||
            errno == EBADF)
            break;
        Fail("cannot write file");
    }
    if (left == 0) return;
    std::unique_ptr<char[]> buffer(new char[CopyBlockSize]);
    while (left > 0) {
        const size_t piece = left < static_cast<int64_t>(CopyBlockSize)
                                 ? static_cast<size_t>(left) : CopyBlockSize;
        const ssize_t n = ::pread(sourceFd, buffer.get(), piece, in);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Error(std::string("cannot read file: ") + std::strerror(errno),
                               sourceName.string());
        if (n == 0) throw ReadError(sourceName.string());
        Write(std::string_view(buffer.get(), static_cast<size_t>(n)));
        in += n;
        left -= n;
    }
}

void AtomicOutputFile::Commit() {
    if (::close(fd_) != 0) {
        fd_ = -1;
        const int saved = errno;
        ::unlink(temp_.string().c_str());
        throw Error(std::string("cannot write file: ") + std::strerror(saved), target_.string());
    }
    fd_ = -1;
    // fs::rename replaces an existing file on Windows too, where rename() refuses to.
    std::error_code failure;
    fs::rename(temp_, target_, failure);
    if (failure) {
        ::unlink(temp_.string().c_str());
        throw Error("cannot replace file: " + failure.message(), target_.string());
    }
}

}  // namespace lv
