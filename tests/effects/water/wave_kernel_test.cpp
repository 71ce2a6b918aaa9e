#include <gtest/gtest.h>

#include <string>

#include "common/random.h"
#include "effects/water/wave_generator.h"
#include "effects/water/wave_test_support.h"

namespace lv {
namespace {

using test::NumberedPicture;
using test::PaintedMask;
using test::Wave;

struct Case {
    std::string name;
    int width, height;
    std::function<int(int, int)> areaAt;
    std::array<WaveParameters, 4> waves;
    int speedPercent = 100;
};

// Runs the tuned pass (on one and on two threads, and in strips only a few columns wide) and the
// plain pass side by side over several steps and requires identical pictures after each.
void ExpectTunedMatchesPlain(const Case& c, int steps = 6) {
    ImagePackage project;
    project.Picture = NumberedPicture(c.width, c.height);
    project.Mask = PaintedMask(c.width, c.height, c.areaAt);
    project.Waves = c.waves;
    project.SetSpeedPercent(c.speedPercent);

    WaveGenerator plain, tuned, twoThreads, narrowStrips;
    plain.SetKernel(RippleKernelKind::Plain);
    tuned.SetThreadCount(1);
    twoThreads.SetThreadCount(2);
    narrowStrips.TunedKernel().SetStripWidth(7);
    for (WaveGenerator* g : {&plain, &tuned, &twoThreads, &narrowStrips}) {
        SetFixedRandomize(true, 12345);
        g->SetProject(project);
        g->Prepare();
    }
    SetFixedRandomize(false);
    for (int i = 0; i < steps; ++i) {
        for (WaveGenerator* g : {&plain, &tuned, &twoThreads, &narrowStrips}) g->Step();
        ASSERT_EQ(tuned.Output(), plain.Output()) << c.name << ", step " << i;
        ASSERT_EQ(twoThreads.Output(), plain.Output()) << c.name << ", step " << i;
        ASSERT_EQ(narrowStrips.Output(), plain.Output()) << c.name << ", step " << i;
    }
}

int Blob(int x, int y, int w, int h) {
    const auto inside = [&](double cx, double cy, double r) {
        const double dx = x - cx * w, dy = y - cy * h;
        return dx * dx + dy * dy < r * r * w * h;
    };
    if (inside(0.3, 0.3, 0.2)) return 1;
    if (inside(0.75, 0.25, 0.18)) return 2;
    if (inside(0.2, 0.85, 0.25)) return 3;  // runs over the bottom and left edges
    if (inside(0.8, 0.8, 0.2) || (x + 2 * y) % 11 == 0) return 4;
    return 0;
}

TEST(RippleKernel, MatchesThePlainPassOnVariedAreasAndParameters) {
    const WaveParameters calm = Wave(3, 2, 15, 360, 0, true, true, false);
    const WaveParameters streaky = Wave(6, 17, 15, 360, 7, true, true, true);
    const WaveParameters halfCycle = Wave(4, 5, 25, 180, 3, true, true, false, 0);
    const WaveParameters huge = Wave(500, 3, 40, 360, 90, true, true, true);  // beyond the picture
    std::vector<Case> cases = {
        {"blobs, odd width",
         63,
         41,
         [](int x, int y) { return Blob(x, y, 63, 41); },
         {calm, streaky, halfCycle, huge}},
        {"whole picture one area", 37, 29, [](int, int) { return 1; }, {streaky, calm, calm, calm}},
        {"whole picture, no jitter", 38, 30, [](int, int) { return 2; }, {calm, calm, calm, calm}},
        {"stripes touching every edge",
         31,
         33,
         [](int x, int y) { return 1 + ((x / 3 + y / 5) % 4); },
         {calm, streaky, halfCycle, Wave(2, 1, 7, 90, 40, true, true, true)}},
        {"amplitude larger than the picture",
         21,
         17,
         [](int x, int y) { return (x * 7 + y * 3) % 5; },
         {huge, huge, huge, huge}},
        {"one row and one column",
         45,
         23,
         [](int x, int y) { return y == 11 ? 1 : (x == 44 ? 2 : 0); },
         {Wave(5, 2, 10, 360, 0, true, true, true), streaky, calm, calm}},
        {"odd cycles and negative parameters",
         50,
         40,
         [](int x, int y) { return Blob(x, y, 50, 40); },
         {Wave(-6, -3, -20, 7, 4, true, true, false), Wave(8, 9, 33, -1, 2, true, true, true),
          Wave(5, 7, 12, 100000, 3, true, true, false), Wave(9, 2, 5, -270, 0, true, true, true)}},
        {"negative jitter",
         30,
         20,
         [](int x, int) { return 1 + x % 2; },
         {Wave(3, 2, 15, 360, -3, true, true, false), calm, calm, calm}},
        // Offsets spanning 64 rows fill the per-row table to its last slot; 65 take the checked
        // path; negative ones count their slots from the lowest. Full-height bands give every
        // offset rows to write from.
        {"column offsets at the table's limit",
         900,
         150,
         [](int x, int) { return 1 + x / 300; },
         {Wave(8, 37, 15, 360, 64, true, true, true), Wave(8, 37, 15, 360, 65, true, true, true),
          Wave(8, 37, 15, 360, -64, true, true, true), Wave(4, 3, 15, 360, 1, true, true, true)}},
        {"flags off",
         33,
         27,
         [](int x, int y) { return Blob(x, y, 33, 27); },
         {Wave(6, 3, 10, 360, 5, false, true, false), Wave(6, 3, 10, 360, 5, true, false, true),
          Wave(6, 3, 10, 360, 0, false, false, false), Wave(6, 3, 10, 360, 0, true, false, false)}},
        {"single column",
         1,
         30,
         [](int, int y) { return y % 3 ? 1 : 0; },
         {streaky, calm, calm, calm}},
        {"fast speed",
         40,
         30,
         [](int x, int y) { return Blob(x, y, 40, 30); },
         {streaky, halfCycle, calm, huge},
         500},
    };
    for (const Case& c : cases) ExpectTunedMatchesPlain(c);
}

// Four blob-shaped areas covering about half the picture, every flag on and jitter 8, as the
// show runs full-screen water: wide enough that most pixels take the stretch without tests.
TEST(RippleKernel, MatchesThePlainPassOnFourBlobsWithJitter) {
    constexpr int width = 320, height = 180;
    const auto blob = [](int x, int y) {
        const int qx = x * 2 / width, qy = y * 2 / height;
        const double dx = (x - (qx + 0.5) * width / 2) / (0.8 * width / 4);
        const double dy = (y - (qy + 0.5) * height / 2) / (0.8 * height / 4);
        const double wobble = 1 + 0.04 * ((x / 7 + y / 5) % 3 - 1);
        return dx * dx + dy * dy < wobble ? 1 + qx + 2 * qy : 0;
    };
    std::array<WaveParameters, 4> waves;
    for (int k = 0; k < 4; ++k)
        waves[static_cast<size_t>(k)] =
            Wave(6 + k, 17 - 2 * k, 15 + 5 * k, 360, 8, true, true, true, k % 2);
    ExpectTunedMatchesPlain({"four blobs, jitter 8", width, height, blob, waves}, 12);
    // The same blobs touching the picture's edges, where the offsets and shifts are clamped.
    const auto large = [&](int x, int y) {
        return blob(x, y) ? blob(x, y) : (y < height / 3 ? 1 : 3);
    };
    ExpectTunedMatchesPlain({"blobs up to the edges", width, height, large, waves}, 12);
}

// Small offsets and shifts over wide rectangles, so most pixels are copied without tests and
// the stretch's ends fall at every place against the rectangles' edges.
TEST(RippleKernel, MatchesThePlainPassOnRandomRectanglesWithSmallOffsets) {
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SetRandomSeed(seed);
        const int width = 40 + Random(160);
        const int height = 20 + Random(100);
        std::vector<int> areas(static_cast<size_t>(width * height));
        for (int n = 0; n < 6; ++n) {
            const int a = Random(5), x0 = Random(width), y0 = Random(height);
            const int x1 = x0 + Random(width), y1 = y0 + Random(height);
            for (int y = y0; y < std::min(y1, height); ++y)
                for (int x = x0; x < std::min(x1, width); ++x)
                    areas[static_cast<size_t>(y * width + x)] = a;
        }
        std::array<WaveParameters, 4> waves;
        for (auto& w : waves)
            w = Wave(Random(12), 1 + Random(20), Random(60), 360, Random(12), Random(5) != 0,
                     Random(5) != 0, Random(2) != 0, Random(2));
        ExpectTunedMatchesPlain(
            {"small offsets " + std::to_string(seed), width, height,
             [&](int x, int y) { return areas[static_cast<size_t>(y * width + x)]; }, waves},
            4);
    }
}

TEST(RippleKernel, MatchesThePlainPassOnRandomMasks) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SetRandomSeed(seed);
        const int width = 5 + Random(70);
        const int height = 3 + Random(60);
        std::vector<int> areas(static_cast<size_t>(width * height));
        // Random rectangles of random areas, so stretches of varying length and neighbours.
        for (int n = 0; n < 12; ++n) {
            const int a = Random(5), x0 = Random(width), y0 = Random(height);
            const int x1 = x0 + Random(width), y1 = y0 + Random(height);
            for (int y = y0; y < std::min(y1, height); ++y)
                for (int x = x0; x < std::min(x1, width); ++x)
                    areas[static_cast<size_t>(y * width + x)] = a;
        }
        std::array<WaveParameters, 4> waves;
        for (auto& w : waves)
            w = Wave(Random(3 * height), Random(30) - 5, Random(90), 60 + Random(600),
                     Random(2) ? Random(height + 5) : 0, Random(4) != 0, Random(4) != 0,
                     Random(2) != 0, Random(2));
        ExpectTunedMatchesPlain(
            {"random " + std::to_string(seed), width, height,
             [&](int x, int y) { return areas[static_cast<size_t>(y * width + x)]; }, waves,
             10 + Random(300)},
            4);
    }
}

}  // namespace
}  // namespace lv
