#include "effects/water/wave_generator.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/random.h"
#include "effects/water/wave_test_support.h"
#include "effects/weather/rain.h"
#include "effects/weather/snow.h"

namespace lv {
namespace {

using test::NumberedPicture;
using test::PaintedMask;
using test::SetAllWaves;
using test::Wave;

// Pins the random generator for the test's duration, so Prepare's column offsets repeat.
class PinnedRandom {
public:
    explicit PinnedRandom(uint32_t seed) { SetFixedRandomize(true, seed); }
    ~PinnedRandom() { SetFixedRandomize(false); }
};

ImagePackage MakeProject(int width, int height, const std::function<int(int, int)>& areaAt,
                         const WaveParameters& wave) {
    ImagePackage project;
    project.Picture = NumberedPicture(width, height);
    project.Mask = PaintedMask(width, height, areaAt);
    SetAllWaves(project, wave);
    return project;
}

void Start(WaveGenerator& generator, ImagePackage& project) {
    generator.SetProject(project);
    generator.SetWeather(false);
    generator.Prepare();
}

TEST(WaveGenerator, PrepareShowsTheUnrippledPictureAndAdvancesThePhaseOnce) {
    PinnedRandom pin(1);
    ImagePackage project = MakeProject(
        16, 8, [](int, int) { return 1; }, Wave(3, 2, 15, 360, 2, true, true, false));
    project.Waves[1].Direction = 0;
    project.SetSpeedPercent(50);
    WaveGenerator generator;
    Start(generator, project);
    EXPECT_EQ(generator.Output(), project.Picture);
    EXPECT_EQ(generator.Phase(0), 8);  // Round(15 x 0.5), tie to even
    EXPECT_EQ(generator.Phase(1), -8);
    EXPECT_EQ(generator.Field().FirstRow[0], 0);
    EXPECT_EQ(generator.Field().LastRow[0], 7);
    EXPECT_EQ(generator.Field().FirstRow[2], 50000);
    EXPECT_EQ(generator.Field().LastRow[2], 0);
    generator.Step();
    EXPECT_EQ(generator.Phase(0), 16);
    EXPECT_EQ(generator.Phase(1), -16);
}

TEST(WaveGenerator, SidewaysAndVerticalShiftsReadFromTheRightPlace) {
    PinnedRandom pin(1);
    // No waves and no phase movement: every row's angle is 0, so both shifts are +Amplitude.
    ImagePackage project = MakeProject(
        8, 5, [](int, int) { return 1; }, Wave(2, 0, 0, 360, 0, true, false, false));
    WaveGenerator generator;
    Start(generator, project);
    generator.Step();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(generator.Output().Pixel(x, y), project.Picture.Pixel(std::min(x + 2, 7), y))
                << x << "," << y;

    SetAllWaves(project, Wave(2, 0, 0, 360, 0, false, true, false));
    Start(generator, project);
    generator.Step();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(generator.Output().Pixel(x, y), project.Picture.Pixel(x, std::min(y + 2, 4)));
}

TEST(WaveGenerator, OnlyPixelsWhoseSourceLiesInTheSameAreaAreWritten) {
    PinnedRandom pin(1);
    // Area 1 in columns 0..3, area 2 in columns 4..7; shifting right by 2 would read across.
    ImagePackage project = MakeProject(
        8, 4, [](int x, int) { return x < 4 ? 1 : 2; }, Wave(2, 0, 0, 360, 0, true, false, false));
    WaveGenerator generator;
    Start(generator, project);
    generator.Step();
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(generator.Output().Pixel(1, y), project.Picture.Pixel(3, y));
        EXPECT_EQ(generator.Output().Pixel(2, y), project.Picture.Pixel(2, y));  // kept
        EXPECT_EQ(generator.Output().Pixel(3, y), project.Picture.Pixel(3, y));  // kept
        EXPECT_EQ(generator.Output().Pixel(5, y), project.Picture.Pixel(7, y));
    }
}

TEST(WaveGenerator, PixelsOutsideTheAreasNeverChange) {
    // Column offsets with sideways shifts would reach beside the areas' left and right edges;
    // those dry pixels must stay as they are.
    PinnedRandom pin(7);
    ImagePackage project = MakeProject(
        61, 47,
        [](int x, int y) {
            return (x - 30) * (x - 30) + (y - 25) * (y - 25) < 300 ? 3 : ((x + y) % 7 == 0 ? 1 : 0);
        },
        Wave(9, 5, 23, 360, 6, true, true, true));
    WaveGenerator generator;
    Start(generator, project);
    bool anyChanged = false;
    for (int i = 0; i < 12; ++i) {
        generator.Step();
        for (int y = 0; y < 47; ++y)
            for (int x = 0; x < 61; ++x) {
                const bool inArea = generator.Field().AreaAt(y, x) >= 0;
                const bool same = generator.Output().Pixel(x, y) == project.Picture.Pixel(x, y);
                if (!inArea) {
                    ASSERT_TRUE(same) << x << "," << y;
                }
                anyChanged |= !same;
            }
    }
    EXPECT_TRUE(anyChanged);

    // A mask without any area colour leaves the picture as it is.
    project.Mask = PaintedMask(61, 47, [](int, int) { return 0; });
    Start(generator, project);
    for (int i = 0; i < 5; ++i) generator.Step();
    EXPECT_EQ(generator.Output(), project.Picture);
}

TEST(WaveGenerator, ColumnOffsetsComeFromTheJitterOfEachArea) {
    PinnedRandom pin(99);
    ImagePackage project = MakeProject(
        40, 10, [](int, int) { return 1; }, Wave(3, 2, 10, 360, 0, true, true, false));
    project.Waves[2].Jitter = 5;
    WaveGenerator generator;
    Start(generator, project);
    for (int32_t j : generator.Field().ColumnShift[0]) EXPECT_EQ(j, 0);
    bool varied = false;
    for (int32_t j : generator.Field().ColumnShift[2]) {
        EXPECT_GE(j, 0);
        EXPECT_LT(j, 5);
        varied |= j != generator.Field().ColumnShift[2][0];
    }
    EXPECT_TRUE(varied);

    // The same seed gives the same offsets and the same frames; another seed other offsets.
    WaveGenerator twin;
    Start(twin, project);
    EXPECT_EQ(twin.Field().ColumnShift, generator.Field().ColumnShift);
    for (int i = 0; i < 4; ++i) {
        generator.Step();
        twin.Step();
        ASSERT_EQ(twin.Output(), generator.Output());
    }
    SetFixedRandomize(true, 100);
    Start(twin, project);
    EXPECT_NE(twin.Field().ColumnShift[2], generator.Field().ColumnShift[2]);
}

TEST(WaveGenerator, ZeroSpeedFreezesTheWaves) {
    PinnedRandom pin(3);
    ImagePackage project = MakeProject(
        30, 20, [](int x, int) { return x < 20 ? 1 : 0; },
        Wave(4, 3, 30, 360, 3, true, true, false));
    project.SetSpeedPercent(0);
    WaveGenerator generator;
    Start(generator, project);
    generator.Step();
    const Bitmap32 first = generator.Output();
    for (int i = 0; i < 5; ++i) generator.Step();
    EXPECT_EQ(generator.Phase(0), 0);
    EXPECT_EQ(generator.Output(), first);
}

TEST(WaveGenerator, ZeroCycleFailsBeforeAnythingChanges) {
    PinnedRandom pin(5);
    ImagePackage project = MakeProject(
        20, 12, [](int, int) { return 2; }, Wave(4, 3, 30, 360, 3, true, true, false));
    WaveGenerator generator;
    Start(generator, project);
    generator.SetWeather(true);
    for (int i = 0; i < 3; ++i) generator.Step();
    const Bitmap32 output = generator.Output();
    const Bitmap32 layer = *generator.WeatherLayer();
    const int32_t phase = generator.Phase(1);

    project.Waves[3].Cycle = 0;  // area 4 does not even occur in the mask
    for (auto kind : {RippleKernelKind::Tuned, RippleKernelKind::Plain}) {
        generator.SetKernel(kind);
        EXPECT_THROW(generator.Step(), DivisionByZeroError);
        EXPECT_EQ(generator.Output(), output);
        EXPECT_EQ(*generator.WeatherLayer(), layer);
        EXPECT_EQ(generator.Phase(1), phase);
    }

    // Prepare builds the map and the offsets, then fails in its step.
    WaveGenerator fresh;
    fresh.SetProject(project);
    EXPECT_THROW(fresh.Prepare(), DivisionByZeroError);
    EXPECT_EQ(fresh.Field().Width, 20);
    EXPECT_EQ(fresh.Field().ColumnShift[1].size(), 20u);
}

TEST(WaveGenerator, RestoreAndWeatherLayerFollowTheOutput) {
    PinnedRandom pin(11);
    ImagePackage project = MakeProject(
        24, 18, [](int, int) { return 1; }, Wave(5, 3, 40, 360, 2, true, true, false));
    WaveGenerator generator;
    Start(generator, project);
    EXPECT_EQ(&generator.ShownPicture(), &generator.Output());
    generator.SetWeather(true);
    generator.Step();
    ASSERT_NE(generator.WeatherLayer(), nullptr);
    EXPECT_EQ(&generator.ShownPicture(), generator.WeatherLayer());
    EXPECT_EQ(*generator.WeatherLayer(), generator.Output());  // no rain or snow in this package
    EXPECT_NE(generator.Output(), project.Picture);
    // With the weather on, the picture shown stays until the next step or the weather goes.
    const Bitmap32 shown = generator.ShownPicture();
    generator.Restore();
    EXPECT_EQ(generator.ShownPicture(), shown);
    EXPECT_TRUE(generator.ChangedRects().empty());
    generator.SetWeather(false);
    EXPECT_EQ(generator.WeatherLayer(), nullptr);
    EXPECT_EQ(generator.Output(), project.Picture);
    generator.Step();
    generator.Restore();
    EXPECT_EQ(generator.Output(), project.Picture);
}

TEST(WaveGenerator, AnEmptyPictureRunsWithoutPixels) {
    PinnedRandom pin(4);
    ImagePackage project;
    SetAllWaves(project, Wave(3, 2, 10, 360, 4, true, true, true));
    project.Weather = {2, 10, 10, 90, 10, 0};
    WaveGenerator generator;
    Start(generator, project);
    generator.SetWeather(true);
    for (auto kind : {RippleKernelKind::Tuned, RippleKernelKind::Plain}) {
        generator.SetKernel(kind);
        generator.Step();
    }
    EXPECT_TRUE(generator.Output().Empty());
    EXPECT_EQ(generator.Phase(0), 30);
}

TEST(WaveGenerator, RejectsAPictureResizedAfterPrepareAndToleratesASmallMask) {
    PinnedRandom pin(2);
    ImagePackage project = MakeProject(
        20, 10, [](int, int) { return 1; }, Wave(3, 2, 10, 360, 4, true, true, true));
    WaveGenerator generator;
    EXPECT_THROW(generator.Step(), Error);  // no project yet
    Start(generator, project);
    project.Picture.SetSize(10, 5);
    EXPECT_THROW(generator.Step(), Error);

    // A mask smaller than the picture: the uncovered pixels belong to no area.
    project.Picture = NumberedPicture(20, 10);
    project.Mask = PaintedMask(12, 6, [](int, int) { return 1; });
    Start(generator, project);
    for (int i = 0; i < 3; ++i) generator.Step();
    EXPECT_EQ(generator.Field().LastRow[0], 5);
    for (int y = 0; y < 10; ++y)
        for (int x = 12; x < 20; ++x)
            ASSERT_EQ(generator.Output().Pixel(x, y), project.Picture.Pixel(x, y));
}

}  // namespace
}  // namespace lv

namespace lv {
namespace {

ImagePackage WeatherProject(int kind, int count, int speedPercent) {
    ImagePackage project = MakeProject(
        80, 60, [](int, int y) { return y >= 30 ? 1 : 0; },
        Wave(4, 5, 20, 360, 3, true, true, true));
    project.Weather.Kind = kind;
    project.Weather.Count = count;
    project.Weather.SpeedLevel = 10;
    project.Weather.Angle = 90;
    project.Weather.Length = 10;
    project.SetSpeedPercent(speedPercent);
    return project;
}

void StartWithWeather(WaveGenerator& generator, ImagePackage& project) {
    Start(generator, project);
    generator.SetWeather(project.Weather.Kind > 0);
}

TEST(WaveGeneratorWeather, RainFallsOnTheLayerOverTheRippledPicture) {
    PinnedRandom pin(21);
    ImagePackage project = WeatherProject(2, 1500, 100);
    WaveGenerator generator;
    StartWithWeather(generator, project);
    ASSERT_NE(generator.ActiveRain(), nullptr);
    EXPECT_EQ(generator.ActiveSnow(), nullptr);
    EXPECT_EQ(generator.ActiveRain()->Drops().size(), 1000u);  // capped
    const auto before = generator.ActiveRain()->Drops();
    generator.Step();
    const auto& after = generator.ActiveRain()->Drops();
    EXPECT_NE(after[0].Y, before[0].Y);
    EXPECT_EQ(after[0].X, before[0].X);  // angle 90 falls straight down
    EXPECT_EQ(generator.ActiveRain()->AngleTerm(), 90);
    EXPECT_EQ(generator.ActiveRain()->SpeedLevel(), 10);

    // Same seed, same drops: the column offsets and the drops come from one sequence.
    WaveGenerator twin;
    StartWithWeather(twin, project);
    twin.Step();
    EXPECT_EQ(*twin.WeatherLayer(), *generator.WeatherLayer());

    // Streaks drawn over the same water: the placing of the drops draws nothing from the
    // sequence that the water uses after Prepare.
    WaveGenerator dry;
    Start(dry, project);
    dry.Step();
    EXPECT_NE(*generator.WeatherLayer(), dry.Output());
}

// The weather drawn on the output, with the pixels under it put back before the water moves,
// against the yardstick of a layer copied whole from the output at every step: the same
// pictures at every step, and whatever differs from the picture before lies in ChangedRects.
TEST(WaveGeneratorWeather, DrawingOnTheOutputShowsWhatASeparateLayerShows) {
    for (const int kind : {1, 2}) {
        ImagePackage project = WeatherProject(kind, 400, 100);
        project.Weather.Length = 30;
        project.Weather.Angle = 60;
        WaveGenerator onOutput, onLayer;
        onLayer.SetWeatherRedraw(WeatherRedraw::Whole);
        {
            PinnedRandom pin(31);
            StartWithWeather(onOutput, project);
        }
        {
            PinnedRandom pin(31);
            StartWithWeather(onLayer, project);
        }
        Bitmap32 before = onOutput.ShownPicture();
        for (int i = 0; i < 40; ++i) {
            if (i == 25) {
                // Without weather both show the water alone; new drops or flakes are placed
                // from the same point of the sequence.
                onOutput.SetWeather(false);
                onLayer.SetWeather(false);
                ASSERT_EQ(onOutput.Output(), onLayer.Output()) << "kind " << kind;
                SetRandomSeed(77);
                onOutput.SetWeather(true);
                SetRandomSeed(77);
                onLayer.SetWeather(true);
            }
            // Snow draws from the shared sequence at every step: both from the same point.
            SetRandomSeed(static_cast<uint32_t>(100 + i));
            onOutput.Step();
            SetRandomSeed(static_cast<uint32_t>(100 + i));
            onLayer.Step();
            std::vector<PixelRect> changed = onOutput.ChangedRects();
            if (i == 25) changed.assign(1, PixelRect{0, 0, 80, 60});
            if (i % 9 == 4) {
                onOutput.Restore();
                onLayer.Restore();
                changed.insert(changed.end(), onOutput.ChangedRects().begin(),
                               onOutput.ChangedRects().end());
            }
            const Bitmap32& shown = onOutput.ShownPicture();
            ASSERT_EQ(shown, onLayer.ShownPicture()) << "kind " << kind << ", step " << i;
            Bitmap32 unchanged = shown;
            for (const PixelRect& box : changed)
                for (int y = box.Top; y < box.Bottom; ++y)
                    for (int x = box.Left; x < box.Right; ++x)
                        unchanged.SetPixel(x, y, before.Pixel(x, y));
            ASSERT_EQ(unchanged, before) << "kind " << kind << ", step " << i;
            before = shown;
        }
    }
}

TEST(WaveGeneratorWeather, SnowStandsStillAtZeroSpeedAndNoFlakesLeaveThePictureAlone) {
    PinnedRandom pin(22);
    ImagePackage project = WeatherProject(1, 50, 0);
    WaveGenerator generator;
    StartWithWeather(generator, project);
    ASSERT_NE(generator.ActiveSnow(), nullptr);
    EXPECT_EQ(generator.ActiveRain(), nullptr);
    const auto before = generator.ActiveSnow()->Flakes();
    for (int i = 0; i < 3; ++i) generator.Step();
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(generator.ActiveSnow()->Flakes()[i].X, before[i].X);
        EXPECT_EQ(generator.ActiveSnow()->Flakes()[i].Y, before[i].Y);
    }

    ImagePackage none = WeatherProject(1, 0, 100);
    StartWithWeather(generator, none);
    generator.Step();
    EXPECT_EQ(*generator.WeatherLayer(), generator.Output());

    // Switching the weather off drops the layer and the snow.
    generator.SetWeather(false);
    EXPECT_EQ(generator.ActiveSnow(), nullptr);
    EXPECT_EQ(&generator.ShownPicture(), &generator.Output());
}

}  // namespace
}  // namespace lv
