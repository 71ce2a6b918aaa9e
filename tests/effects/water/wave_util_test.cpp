#include "effects/water/wave_util.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "common/error.h"
#include "effects/water/wave_field.h"
#include "effects/water/wave_test_support.h"

namespace lv {
namespace {

using test::NumberedPicture;
using test::PaintedMask;
using test::SetAllWaves;
using test::Wave;

TEST(FitScreenSize, KeepsTheScreenSideThePictureFills) {
    // 2:1 picture on a 16:9 screen: wider than the screen's proportion, so W stays.
    FittedSize s = FitScreenSize(AspectRatio::Keep, 800, 400, 1920, 1080);
    EXPECT_EQ(s.width, 1920);
    EXPECT_EQ(s.height, 960);
    // 4:3 picture: narrower, so H stays and W = Round(1080 x 4/3).
    s = FitScreenSize(AspectRatio::Keep, 640, 480, 1920, 1080);
    EXPECT_EQ(s.width, 1440);
    EXPECT_EQ(s.height, 1080);
    // Ties round to even: 3:2 at height 5 gives 7.5 -> 8, at height 3 gives 4.5 -> 4.
    EXPECT_EQ(FitScreenSize(AspectRatio::Keep, 300, 200, 100, 5).width, 8);
    EXPECT_EQ(FitScreenSize(AspectRatio::Keep, 300, 200, 100, 3).width, 4);
    // The comparison is in whole pixels: 1001 x 1000 on 1000 x 999 is "not wider" (1001 >
    // 999999 div 999 = 1001 is false), so H stays.
    s = FitScreenSize(AspectRatio::Keep, 1001, 1000, 1000, 999);
    EXPECT_EQ(s.height, 999);
    EXPECT_EQ(s.width, 1000);  // Round(999 x 1.001) = Round(999.999)
    // Stretching ignores the proportions; a side rounding to nothing is kept at one pixel.
    s = FitScreenSize(AspectRatio::Stretch, 640, 480, 1920, 1080);
    EXPECT_EQ(s.width, 1920);
    EXPECT_EQ(s.height, 1080);
    EXPECT_EQ(FitScreenSize(AspectRatio::Keep, 10000, 1, 100, 100).height, 1);
}

TEST(ScaleWaveParams, ScalesAmplitudeAcrossAndJitterDown) {
    ImagePackage project;
    SetAllWaves(project, Wave(6, 17, 15, 360, 10, true, true, true));
    project.Waves[1].Amplitude = 5;
    project.Waves[1].Jitter = 3;
    ScaleWaveParams(project.Waves, 800, 600, 1200, 900);  // 1.5 both ways
    EXPECT_EQ(project.Waves[0].Amplitude, 9);
    EXPECT_EQ(project.Waves[0].Jitter, 15);
    EXPECT_EQ(project.Waves[1].Amplitude, 8);  // 7.5, tie to even
    EXPECT_EQ(project.Waves[1].Jitter, 4);     // 4.5, tie to even
    EXPECT_EQ(project.Waves[0].WaveCount, 17);
    EXPECT_EQ(project.Waves[0].PhaseStep, 15);
    EXPECT_EQ(project.Waves[0].Cycle, 360);
    EXPECT_THROW(ScaleWaveParams(project.Waves, 0, 600, 10, 10), DivisionByZeroError);
}

TEST(StretchNearest, KeepsEveryPixelValueAndTheLayout) {
    const AreaMask mask = PaintedMask(5, 3, [](int x, int y) { return (x + 2 * y) % 5; });
    const AreaMask same = StretchNearest(mask, 5, 3);
    EXPECT_EQ(same, mask);
    const AreaMask doubled = StretchNearest(mask, 10, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(doubled.At(x, y), mask.At(x / 2, y / 2));
    const AreaMask odd = StretchNearest(mask, 7, 2);
    std::set<uint8_t> before, after;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) before.insert(mask.At(x, y));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 7; ++x) after.insert(odd.At(x, y));
    for (uint8_t v : after) EXPECT_TRUE(before.count(v)) << v;
    EXPECT_EQ(StretchNearest(AreaMask(), 4, 4), AreaMask(4, 4));
}

TEST(FitProjectToScreen, RejectsImpossibleSizes) {
    ImagePackage project;
    project.Picture = NumberedPicture(40, 30);
    project.Mask = PaintedMask(40, 30, [](int, int) { return 1; });
    SetAllWaves(project, Wave(6, 17, 15, 360, 10, true, true, true));
    const ImagePackage before = project;
    EXPECT_THROW(FitProjectToScreen(AspectRatio::Keep, project, 0, 100), Error);
    EXPECT_THROW(FitProjectToScreen(AspectRatio::Stretch, project, 100, -1), Error);
    EXPECT_THROW(FitProjectToScreen(AspectRatio::Stretch, project, 70000, 10), Error);
    ImagePackage empty;
    EXPECT_THROW(FitProjectToScreen(AspectRatio::Stretch, empty, 100, 100), DivisionByZeroError);
    EXPECT_EQ(project.Picture, before.Picture);
    EXPECT_EQ(project.Mask, before.Mask);
    EXPECT_EQ(project.Waves, before.Waves);
}

TEST(FitProjectToScreen, ResizesPictureMaskAndParametersAndLeavesThePackageAsLoaded) {
    ImagePackage project;
    project.Picture = NumberedPicture(40, 20);
    project.Mask = PaintedMask(40, 20, [](int x, int) { return x < 20 ? 1 : 3; });
    SetAllWaves(project, Wave(6, 17, 15, 360, 10, true, true, true));
    const ImagePackage loaded = project;
    // 2:1 keeps W = 100, H = 50
    const FittedWater fitted = FitProjectToScreen(AspectRatio::Keep, project, 100, 100);
    EXPECT_EQ(fitted.Picture.Width(), 100);
    EXPECT_EQ(fitted.Picture.Height(), 50);
    EXPECT_EQ(fitted.Mask.Width(), 100);
    EXPECT_EQ(fitted.Mask.Height(), 50);
    EXPECT_EQ(fitted.Waves[2].Amplitude, 15);
    EXPECT_EQ(fitted.Waves[2].Jitter, 25);
    EXPECT_EQ(fitted.Mask.At(49, 10), 1);
    EXPECT_EQ(fitted.Mask.At(50, 10), 3);
    // The bilinear resize works from the bottom row of the picture, which stays exact.
    EXPECT_EQ(fitted.Picture.Pixel(0, 49), NumberedPicture(40, 20).Pixel(0, 19));
    EXPECT_EQ(project.Picture, loaded.Picture);
    EXPECT_EQ(project.Mask, loaded.Mask);
    EXPECT_EQ(project.Waves, loaded.Waves);

    // The generator runs on the fitted water with the package's weather and speed.
    project.SpeedPercent = 50;
    project.Weather.Kind = 1;
    const WaterSource water(fitted, project);
    EXPECT_EQ(&water.Picture(), &fitted.Picture);
    EXPECT_EQ(&water.Waves(), &fitted.Waves);
    EXPECT_EQ(water.SpeedPercent(), 50);
    EXPECT_EQ(water.Weather().Kind, 1);
}

TEST(FitProjectToScreen, ADeferredMaskGivesTheAreaMapOfItsStretchedCopy) {
    // Larger and smaller screens, odd sizes: the map read through the stretch must be the map
    // of the stretched copy, pixel for pixel, with the same runs.
    uint32_t seed = 3;
    for (const auto& [from, to] : std::vector<std::pair<std::pair<int, int>, std::pair<int, int>>>{
             {{13, 9}, {40, 31}}, {{40, 31}, {13, 9}}, {{7, 5}, {7, 5}}, {{3, 17}, {29, 4}}}) {
        ImagePackage project;
        project.Picture = NumberedPicture(from.first, from.second);
        // Area colours and other colours (no area), in blocks so that runs form.
        project.Mask = PaintedMask(from.first, from.second, [&](int x, int y) {
            seed = seed * 1103515245u + 12345u;
            return (x / 3 + y / 2 + static_cast<int>(seed >> 30)) % 5;
        });
        SetAllWaves(project, Wave(3, 2, 10, 360, 4, true, true, true));
        const FittedWater copied =
            FitProjectToScreen(AspectRatio::Stretch, project, to.first, to.second);
        const FittedWater deferred = FitProjectToScreen(AspectRatio::Stretch, project, to.first,
                                                        to.second, MaskFit::Deferred);
        EXPECT_TRUE(deferred.Mask.Empty());
        EXPECT_EQ(deferred.Picture, copied.Picture);
        const WaterSource water(deferred, project);
        ASSERT_TRUE(water.MaskStretched());
        EXPECT_EQ(&water.Mask(), &project.Mask);

        WaveField expected, actual;
        BuildAreaMap(copied.Mask, to.first, to.second, expected);
        BuildAreaMap(water.Mask(), to.first, to.second, actual, water.MaskStretched());
        EXPECT_EQ(actual.AreaMap, expected.AreaMap) << from.first << " x " << from.second;
        EXPECT_EQ(actual.RowRunStart, expected.RowRunStart);
        EXPECT_EQ(actual.FirstRow, expected.FirstRow);
        EXPECT_EQ(actual.LastRow, expected.LastRow);
        EXPECT_EQ(actual.BalancedSplitColumn, expected.BalancedSplitColumn);
    }
}

}  // namespace
}  // namespace lv
