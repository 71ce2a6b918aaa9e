#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace lv {

// Whether `candidate` is a temporary name an AtomicOutputFile for `target` writes under (the
// target's name + ".tmp" + process id + "." + a counter), as a writer that was cut short leaves.
bool IsTemporaryNameOf(std::string_view candidate, std::string_view target);

// A file written under a temporary name beside its target and renamed over the target by
// `Commit`, so a reader (another instance sharing the folder, or the next run after a crash)
// never sees half a file. Without `Commit` the temporary file is removed again. Every failure
// raises lv::Error naming the target.
class AtomicOutputFile {
public:
    explicit AtomicOutputFile(std::filesystem::path target, mode_t mode = 0644);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    void Write(std::string_view bytes);
    // Appends `length` bytes of the open file `sourceFd` from `offset` on, copied inside the
    // kernel where the file systems allow it. A source shorter than that raises ReadError.
    void CopyFrom(int sourceFd, int64_t offset, int64_t length,
                  const std::filesystem::path& sourceName);
    void Commit();

private:
    void Fail(const char* what);

    std::filesystem::path target_;
    std::filesystem::path temp_;
    int fd_ = -1;
};

}  // namespace lv
