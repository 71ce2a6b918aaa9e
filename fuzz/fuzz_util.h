#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace lvfuzz {

// A private folder for this process's scratch files, made once (mkdtemp under $TMPDIR or /tmp)
// and removed at exit. XDG_RUNTIME_DIR points into it, so the code under test keeps its own
// temporary files there too.
const std::filesystem::path& ScratchFolder();

// Writes the input to `name` inside the scratch folder and returns its path.
std::filesystem::path WriteInput(const char* name, const uint8_t* data, size_t size);

// Removes everything in the scratch folder except the folder itself.
void ClearScratch();

}  // namespace lvfuzz
