#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace lv::test {

// A scratch folder of the test's own, with the per-user folders pointed into it: the private
// temporary folder ($XDG_RUNTIME_DIR), $TMPDIR, the configuration and data folders. Restores the
// environment and removes everything when it goes.
class ScratchEnvironment {
public:
    ScratchEnvironment() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/lvtest-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        root_ = pattern + "/";
        Set("XDG_RUNTIME_DIR", Folder("run"));
        Set("TMPDIR", Folder("tmp"));
        Set("XDG_CONFIG_HOME", Folder("config"));
        Set("XDG_DATA_HOME", Folder("data"));
    }
    ~ScratchEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second) ::setenv(it->first.c_str(), it->second->c_str(), 1);
            else ::unsetenv(it->first.c_str());
        }
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    ScratchEnvironment(const ScratchEnvironment&) = delete;
    ScratchEnvironment& operator=(const ScratchEnvironment&) = delete;

    const std::string& Root() const { return root_; }
    std::string RunFolder() const { return root_ + "run/"; }

    // A new folder below the root (mode 0700), returned with a trailing "/".
    std::string Folder(const std::string& name) const {
        const std::string path = root_ + name;
        ::mkdir(path.c_str(), 0700);
        return path + "/";
    }

    // Sets a variable for the life of this object.
    void Set(const std::string& name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value) ::setenv(name.c_str(), value->c_str(), 1);
        else ::unsetenv(name.c_str());
    }

private:
    std::string root_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

inline void WriteTestFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

inline std::string ReadTestFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace lv::test
