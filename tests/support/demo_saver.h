#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "support/lvtool_runner.h"

namespace lv::test {

// The demo saver of `lvtool make-demo`, small, in a folder of its own that goes with it.
class DemoSaver {
public:
    DemoSaver() {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/lvdemo-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        folder_ = pattern;
        const RunResult made = Lvtool("make-demo '" + folder_ + "' --size 320x200");
        if (made.status != 0) throw std::runtime_error("lvtool make-demo failed: " + made.output);
    }
    ~DemoSaver() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    DemoSaver(const DemoSaver&) = delete;
    DemoSaver& operator=(const DemoSaver&) = delete;

    // A copy of the saver at `path`; its file name decides its working folder.
    void CopyTo(const std::string& path) const {
        std::filesystem::copy_file(folder_ + "/Demo.scr", path,
                                   std::filesystem::copy_options::overwrite_existing);
    }

private:
    std::string folder_;
};

}  // namespace lv::test
