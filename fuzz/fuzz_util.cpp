#include "fuzz_util.h"

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

namespace lvfuzz {

namespace {

std::filesystem::path MakeScratch() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lvfuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    const std::filesystem::path folder = pattern;
    std::filesystem::create_directory(folder / "runtime");
    setenv("XDG_RUNTIME_DIR", (folder / "runtime").c_str(), 1);
    return folder;
}

struct ScratchOwner {
    std::filesystem::path folder = MakeScratch();
    ~ScratchOwner() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

}  // namespace

const std::filesystem::path& ScratchFolder() {
    static ScratchOwner owner;
    return owner.folder;
}

std::filesystem::path WriteInput(const char* name, const uint8_t* data, size_t size) {
    const std::filesystem::path path = ScratchFolder() / name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

void ClearScratch() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ScratchFolder(), ec)) {
        if (entry.path().filename() == "runtime") continue;
        std::filesystem::remove_all(entry.path(), ec);
    }
}

}  // namespace lvfuzz
