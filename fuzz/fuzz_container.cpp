// Container reader: the marker search and the split into entries, on any file.
#include <exception>
#include <string>
#include <vector>

#include "fuzz_util.h"
#include "project/container.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto input = lvfuzz::WriteInput("input.bin", data, size);
    try {
        const lv::MarkerPosition marker = lv::FindMarker(input);
        // Ask for as many outputs as the file claims (bounded), so well-formed splits run too.
        size_t count = 3;
        if (marker.Found && marker.Value >= 0 && marker.Value <= 16)
            count = static_cast<size_t>(marker.Value);
        std::vector<std::filesystem::path> outputs;
        for (size_t i = 0; i < count; ++i)
            outputs.push_back(lvfuzz::ScratchFolder() / ("out" + std::to_string(i) + ".bin"));
        lv::SplitContainer(input, outputs);
    } catch (const std::exception&) {
        // lv::Error and its kinds are the expected answer to a damaged file.
    }
    lvfuzz::ClearScratch();
    return 0;
}
