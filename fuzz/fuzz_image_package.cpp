// Image package loader: a picture package (.lvp) read whole, then its header alone.
#include <exception>

#include "fuzz_util.h"
#include "project/image_package.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto input = lvfuzz::WriteInput("input.lvp", data, size);
    lv::ImagePackage project;
    try {
        project.Load(input.string());
    } catch (const std::exception&) {
    }
    try {
        project.LoadHeader(input.string());
    } catch (const std::exception&) {
    }
    lvfuzz::ClearScratch();
    return 0;
}
