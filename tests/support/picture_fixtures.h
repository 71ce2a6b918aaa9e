#pragma once

// Small synthetic pictures and a scratch folder for the codec and package tests.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/bitmap32.h"

namespace lv::test {

// Smooth colour ramps (JPEG keeps them within a few levels) with a fourth byte of 0.
inline Bitmap32 GradientPicture(int width, int height) {
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y) {
        uint32_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t red = static_cast<uint32_t>(x * 255 / std::max(width - 1, 1));
            const uint32_t green = static_cast<uint32_t>(y * 255 / std::max(height - 1, 1));
            const uint32_t blue = static_cast<uint32_t>(128 + (x - y) / 4) & 0xFF;
            row[x] = red << 16 | green << 8 | blue;
        }
    }
    return picture;
}

// Pixels of unrelated colours (fourth byte 0), the same for the same seed: every byte of a blend
// or copy counts.
inline Bitmap32 NoisePicture(int width, int height, uint32_t seed) {
    Bitmap32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            picture.SetPixel(x, y, seed >> 8);
        }
    return picture;
}

// Largest difference of one colour channel between two pictures of the same size.
inline int MaxChannelDifference(const Bitmap32& a, const Bitmap32& b) {
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift = 0; shift <= 16; shift += 8) {
                const int pa = static_cast<int>((a.Pixel(x, y) >> shift) & 0xFF);
                const int pb = static_cast<int>((b.Pixel(x, y) >> shift) & 0xFF);
                worst = std::max(worst, std::abs(pa - pb));
            }
    return worst;
}

inline bool FourthBytesAreZero(const Bitmap32& picture) {
    return std::all_of(picture.Data(), picture.Data() + picture.PixelCount(),
                       [](uint32_t p) { return (p >> 24) == 0; });
}

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("lv_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = File(name);
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private:
    std::filesystem::path path_;
};

}  // namespace lv::test
