// Project loader: a settings container (LVC.res) split into its files and loaded.
#include <exception>

#include "fuzz_util.h"
#include "project/project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto input = lvfuzz::WriteInput("LVC.res", data, size);
    try {
        lv::Project project;
        project.Load(input.string());
    } catch (const std::exception&) {
    }
    lvfuzz::ClearScratch();
    return 0;
}
