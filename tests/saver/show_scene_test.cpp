// The show's pictures without a window: what the screen copy holds after frames, black fills
// and fades, and what a failed package load leaves.
#include "saver/show_scene.h"

#include <gtest/gtest.h>

#include <cctype>
#include <vector>

#include "common/error.h"
#include "common/random.h"
#include "effects/filters/pixel_filters.h"
#include "effects/water/wave_generator.h"
#include "project/image_package.h"
#include "saver/show_fixtures.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

constexpr PixelSize Screen{64, 48};
constexpr DisplayRule OriginalSize{false, false};
constexpr DisplayRule StretchFull{true, false};

// Shown picture of the scene as the window would compose it: Screen() with the frame on top.
Bitmap32 Composed(ShowScene& scene) {
    Bitmap32 shown = scene.Screen();
    if (const Bitmap32* frame = scene.FramePicture()) {
        const PixelPoint at = scene.FramePosition();
        for (int y = 0; y < frame->Height(); ++y)
            for (int x = 0; x < frame->Width(); ++x)
                if (x + at.X >= 0 && x + at.X < shown.Width() && y + at.Y >= 0 &&
                    y + at.Y < shown.Height())
                    shown.SetPixel(x + at.X, y + at.Y, frame->Pixel(x, y));
    }
    return shown;
}

class ShowSceneTest : public ::testing::Test {
protected:
    void ShowPlain(const std::string& name, const Bitmap32& picture, PixelPoint at) {
        const std::string path = dir.Write(name, EncodeBmp24(picture));
        const PixelSize own = scene.DecodePlainPicture(path);
        scene.SetPlainPicture(own);
        scene.SetFrame(FrameSource::PlainPicture, at);
    }

    test::TempDir dir;
    ShowScene scene{Screen};
};

TEST_F(ShowSceneTest, AReplacedFrameStaysOnTheScreenUntilABlackFill) {
    ShowPlain("red.bmp", test::SolidPicture(10, 10, 0xFF0000), {0, 0});
    // The frame is drawn by the window from the picture, not copied per frame.
    EXPECT_EQ(scene.Screen().Pixel(5, 5), 0u);
    ShowPlain("green.bmp", test::SolidPicture(10, 10, 0x00FF00), {20, 20});
    const Bitmap32 shown = Composed(scene);
    EXPECT_EQ(shown.Pixel(5, 5), 0xFF0000u);  // the previous picture is still there
    EXPECT_EQ(shown.Pixel(25, 25), 0x00FF00u);
    EXPECT_EQ(shown.Pixel(40, 40), 0u);

    scene.FillBlack();
    EXPECT_EQ(scene.FramePicture(), nullptr);
    EXPECT_EQ(Composed(scene), Bitmap32(Screen.Width, Screen.Height));
}

TEST_F(ShowSceneTest, ACrossFadeGoesFromWhatTheScreenShowedToTheNewPicture) {
    ShowPlain("grey.bmp", test::SolidPicture(64, 48, 0x808080), {0, 0});
    // The new picture loads (replacing the one the frame showed) and fades in before any frame.
    const std::string next =
        dir.Write("small.bmp", EncodeBmp24(test::SolidPicture(20, 10, 0xC0C0C0)));
    scene.SetPlainPicture(scene.DecodePlainPicture(next));
    scene.BeginCrossFade(FrameSource::PlainPicture, {22, 19});
    scene.ComposeCrossFadeStep(10);
    // floor(10 x (0 - 128) / 256) = -5 outside; floor(10 x 64 / 256) = 2 inside
    EXPECT_EQ(scene.Screen().Pixel(0, 0), 0x7B7B7Bu);
    EXPECT_EQ(scene.Screen().Pixel(30, 25), 0x828282u);
    scene.ComposeCrossFadeStep(255);
    // Towards black every channel lands on 0 exactly; towards a lighter colour one short.
    EXPECT_EQ(scene.Screen().Pixel(0, 0), 0u);
    EXPECT_EQ(scene.Screen().Pixel(30, 25), 0xBFBFBFu);
    scene.EndCrossFade();
    EXPECT_EQ(scene.FramePicture(), nullptr);
}

TEST(ShowSceneFade, AStepShowsExactlyTheBlendOfTheTwoScreens) {
    // An odd width leaves pixels after the last group of four in every row.
    for (const PixelSize screen : {PixelSize{67, 13}, PixelSize{64, 4}, PixelSize{3, 5}}) {
        test::TempDir dir;
        ShowScene scene{screen};
        Bitmap32 before(screen.Width, screen.Height), after(screen.Width, screen.Height);
        uint32_t seed = 12345;
        for (int y = 0; y < screen.Height; ++y)
            for (int x = 0; x < screen.Width; ++x) {
                seed = seed * 1103515245u + 12345u;
                before.SetPixel(x, y, seed >> 8);
                seed = seed * 1103515245u + 12345u;
                after.SetPixel(x, y, seed >> 8);
            }
        for (const Bitmap32* picture : {&before, &after}) {
            const std::string path =
                dir.Write(picture == &before ? "before.bmp" : "after.bmp", EncodeBmp24(*picture));
            scene.SetPlainPicture(scene.DecodePlainPicture(path));
            if (picture == &before) scene.SetFrame(FrameSource::PlainPicture, {0, 0});
        }
        scene.BeginCrossFade(FrameSource::PlainPicture, {0, 0});
        PixelSurface first, second, blended(screen.Width, screen.Height);
        first.LoadFromBitmap32(after);
        second.LoadFromBitmap32(before);
        for (const int alpha : {10, 100, 255}) {
            scene.ComposeCrossFadeStep(alpha);
            BlendSurfaces(blended, first, second, alpha);
            EXPECT_EQ(scene.Screen(), blended.ToBitmap32()) << screen.Width << " alpha " << alpha;
        }
        scene.EndCrossFade();
    }
}

TEST(ShowSceneFade, StepsDrawnIntoTheWindowOrIntoTheScreenCopyShowTheSameBlend) {
    constexpr PixelSize screen{67, 13};
    test::TempDir dir;
    const Bitmap32 before = test::NoisePicture(screen.Width, screen.Height, 7);
    const Bitmap32 after = test::NoisePicture(40, 20, 8);
    const PixelPoint at{30, -4};  // the incoming picture reaches past the right and top edges
    auto expectedAt = [&](int alpha) {
        Bitmap32 blended(screen.Width, screen.Height);
        BlendPlacedBitmap(blended, after, at.X, at.Y, before, alpha);
        return blended;
    };
    // The window's pixels: rows longer than the screen's, as a backing store's may be.
    constexpr ptrdiff_t Stride = screen.Width + 5;
    std::vector<uint32_t> window(static_cast<size_t>(Stride * screen.Height), 0xDEADBEEF);
    auto windowShows = [&](const Bitmap32& expected) {
        for (int y = 0; y < screen.Height; ++y)
            for (int x = 0; x < screen.Width; ++x)
                if (window[static_cast<size_t>(y * Stride + x)] != expected.Pixel(x, y)) return false;
        return true;
    };
    enum class Way { Window, WindowInParts, ScreenCopy };
    const std::vector<std::vector<std::pair<int, Way>>> fades = {
        {{10, Way::Window}, {100, Way::ScreenCopy}, {150, Way::WindowInParts},
         {200, Way::ScreenCopy}, {230, Way::Window}},
        {{10, Way::WindowInParts}, {255, Way::Window}},
        {{10, Way::ScreenCopy}, {120, Way::ScreenCopy}},
        {},
    };
    for (size_t f = 0; f < fades.size(); ++f) {
        ShowScene scene{screen};
        scene.SetPlainPicture(scene.DecodePlainPicture(dir.Write("before.bmp", EncodeBmp24(before))));
        scene.SetFrame(FrameSource::PlainPicture, {0, 0});
        scene.SetPlainPicture(scene.DecodePlainPicture(dir.Write("after.bmp", EncodeBmp24(after))));
        scene.BeginCrossFade(FrameSource::PlainPicture, at);
        EXPECT_EQ(scene.Screen(), before);
        int last = 0;
        for (const auto& [alpha, way] : fades[f]) {
            const Bitmap32 expected = expectedAt(alpha);
            scene.SetCrossFadeStep(alpha);
            if (way == Way::ScreenCopy) {
                // As a window does that cannot blend into its own pixels.
                scene.ComposeCrossFadeStep(scene.CrossFadeStep());
                EXPECT_EQ(scene.Screen(), expected) << "fade " << f << " alpha " << alpha;
            } else {
                if (way == Way::Window) {
                    scene.DrawCrossFadeStep({0, 0, screen.Width, screen.Height}, window.data(),
                                            Stride);
                } else {  // an expose in pieces, some reaching past the screen
                    scene.DrawCrossFadeStep({-5, -5, 20, 6}, window.data(), Stride);
                    scene.DrawCrossFadeStep({20, -5, 90, 6}, window.data(), Stride);
                    scene.DrawCrossFadeStep({-5, 6, 90, 40}, window.data(), Stride);
                }
                EXPECT_TRUE(windowShows(expected)) << "fade " << f << " alpha " << alpha;
            }
            for (int y = 0; y < screen.Height; ++y)  // nothing written beyond the screen's width
                for (ptrdiff_t x = screen.Width; x < Stride; ++x)
                    ASSERT_EQ(window[static_cast<size_t>(y * Stride + x)], 0xDEADBEEFu);
            last = alpha;
        }
        scene.EndCrossFade();
        EXPECT_EQ(scene.Screen(), expectedAt(last)) << "fade " << f;
        EXPECT_FALSE(scene.CrossFading());
    }
}

// A window repaints only CrossFadeArea() for each step, so no step may change a pixel outside
// it; the screen copy, blended only there, must still hold every step exactly.
TEST(ShowSceneFade, StepsChangeNothingOutsideTheFadeArea) {
    constexpr PixelSize screen{67, 13};
    test::TempDir dir;
    Bitmap32 old(10, 4);
    old.Fill(0x123456);
    old.SetPixel(0, 0, 0);  // a black corner does not shrink the box: the rest of its row counts
    const Bitmap32 after = test::NoisePicture(20, 6, 3);
    const PixelPoint oldAt{5, 2}, at{40, 9};  // the incoming picture reaches past the bottom
    ShowScene scene{screen};
    scene.SetPlainPicture(scene.DecodePlainPicture(dir.Write("old.bmp", EncodeBmp24(old))));
    scene.SetFrame(FrameSource::PlainPicture, oldAt);
    scene.SetPlainPicture(scene.DecodePlainPicture(dir.Write("after.bmp", EncodeBmp24(after))));
    scene.BeginCrossFade(FrameSource::PlainPicture, at);
    const Bitmap32 before = scene.Screen();
    EXPECT_EQ(scene.CrossFadeArea(), (PixelRect{5, 2, 60, 13}));

    std::vector<uint32_t> window(static_cast<size_t>(screen.Width * screen.Height));
    for (const int alpha : {10, 128, 255}) {
        Bitmap32 expected(screen.Width, screen.Height);
        BlendPlacedBitmap(expected, after, at.X, at.Y, before, alpha);
        scene.SetCrossFadeStep(alpha);
        scene.DrawCrossFadeStep({0, 0, screen.Width, screen.Height}, window.data(), screen.Width);
        const PixelRect area = scene.CrossFadeArea();
        for (int y = 0; y < screen.Height; ++y)
            for (int x = 0; x < screen.Width; ++x) {
                const uint32_t step = window[static_cast<size_t>(y * screen.Width + x)];
                ASSERT_EQ(step, expected.Pixel(x, y)) << x << "," << y;
                if (x < area.Left || x >= area.Right || y < area.Top || y >= area.Bottom) {
                    ASSERT_EQ(step, before.Pixel(x, y)) << x << "," << y << " alpha " << alpha;
                }
            }
        scene.ComposeCrossFadeStep(alpha);
        EXPECT_EQ(scene.Screen(), expected) << "alpha " << alpha;
    }
    scene.EndCrossFade();

    // From a black screen to nothing, nothing changes; a resized screen is black, so only the
    // incoming picture's place is left.
    ShowScene blank{screen};
    blank.BeginCrossFade(FrameSource::Nothing, {0, 0});
    EXPECT_TRUE(blank.CrossFadeArea().Empty());
    scene.BeginCrossFade(FrameSource::PlainPicture, at);
    scene.SetScreenSize({50, 12});
    EXPECT_EQ(scene.CrossFadeArea(), (PixelRect{40, 9, 50, 12}));
}

TEST_F(ShowSceneTest, APackageFadesInAsItsStillPictureAndThenRipples) {
    const Bitmap32 picture = test::GradientPicture(64, 48);
    const std::string path =
        test::WriteShowPackage(dir.File("water.lvp"), picture, test::PackageWeather::Rain);
    const PackageLoadResult loaded = scene.LoadPackage(path, 100, StretchFull, Screen);
    EXPECT_EQ(loaded.DrawSize, Screen);
    EXPECT_EQ(loaded.SoundFile, "<No Sound>");
    ASSERT_NE(scene.ShownWater(), std::nullopt);
    EXPECT_TRUE(scene.Generator().WeatherOn());

    scene.BeginCrossFade(FrameSource::Package, {0, 0});
    scene.ComposeCrossFadeStep(256);
    EXPECT_EQ(scene.Screen(), scene.ShownWater()->Picture());
    scene.EndCrossFade();

    scene.StepGenerator();
    scene.SetFrame(FrameSource::Package, {0, 0});
    ASSERT_NE(scene.FramePicture(), nullptr);
    EXPECT_EQ(scene.FramePicture(), scene.Generator().WeatherLayer());
}

TEST_F(ShowSceneTest, AFailedPackageLoadKeepsThePackageShownBefore) {
    const Bitmap32 picture = test::GradientPicture(32, 24);
    const std::string good =
        test::WriteShowPackage(dir.File("good.lvp"), picture, test::PackageWeather::None);
    scene.LoadPackage(good, 100, OriginalSize, Screen);
    scene.StepGenerator();

    const std::string broken = dir.Write("broken.lvp", "not a package at all");
    EXPECT_THROW(scene.LoadPackage(broken, 100, OriginalSize, Screen), Error);
    ASSERT_NE(scene.ShownWater(), std::nullopt);
    EXPECT_EQ(scene.ShownWater()->Picture().Width(), 32);
    // The generator still works on intact pictures.
    scene.StepGenerator();
    EXPECT_EQ(scene.Generator().Output().Width(), 32);

    // A package that reads well but could not be stepped is refused before the shown one goes.
    PackageContents contents =
        test::ShowPackageContents(test::GradientPicture(16, 16), test::PackageWeather::None);
    contents.Waves[2].Cycle = 0;
    const std::string cycle0 = dir.Write("cycle0.lvp", BuildImagePackage(contents));
    const Bitmap32 shownPicture = scene.ShownWater()->Picture();
    for (const DisplayRule rule : {OriginalSize, StretchFull}) {
        EXPECT_THROW(scene.LoadPackage(cycle0, 100, rule, Screen), DivisionByZeroError);
        ASSERT_NE(scene.ShownWater(), std::nullopt);
        EXPECT_EQ(scene.ShownWater()->Picture(), shownPicture);
        const Bitmap32 before = scene.Generator().Output();
        scene.StepGenerator();
        EXPECT_NE(scene.Generator().Output(), before);
    }

    // Loading again after the failure reuses the spare object, never the generator's.
    scene.LoadPackage(good, 100, OriginalSize, Screen);
    scene.StepGenerator();
    EXPECT_EQ(scene.Generator().Output().Width(), 32);
}

TEST_F(ShowSceneTest, AStretchedPackageRunsOnItsFittedWaterWhichOutlivesAFailedLoad) {
    const std::string small = test::WriteShowPackage(
        dir.File("small.lvp"), test::GradientPicture(32, 24), test::PackageWeather::Rain);
    EXPECT_EQ(scene.LoadPackage(small, 100, StretchFull, Screen).DrawSize, Screen);
    EXPECT_EQ(scene.ShownWater()->Picture().Width(), Screen.Width);
    EXPECT_EQ(scene.Generator().Field().Height, Screen.Height);
    EXPECT_TRUE(scene.ShownWater()->Mask().Empty());  // read into the area map, then freed
    EXPECT_EQ(scene.ShownWater()->Weather().Kind, 2);

    const std::string broken = dir.Write("broken.lvp", "not a package at all");
    EXPECT_THROW(scene.LoadPackage(broken, 100, StretchFull, Screen), Error);
    scene.StepGenerator();
    EXPECT_EQ(scene.Generator().Output().Width(), Screen.Width);
    EXPECT_EQ(scene.ShownWater()->Picture().Height(), Screen.Height);
}

TEST_F(ShowSceneTest, OneKindOfPictureIsKeptWhileTheScreenShowsWhatItShowed) {
    ShowPlain("red.bmp", test::SolidPicture(20, 20, 0xFF0000), {5, 5});
    const Bitmap32 stillShown = Composed(scene);

    // A package that fails to load after a still picture: the still picture stays on the
    // screen, though its buffer is gone and no package is drawn in its place.
    const std::string broken = dir.Write("broken.lvp", "not a package at all");
    EXPECT_THROW(scene.LoadPackage(broken, 100, OriginalSize, Screen), Error);
    EXPECT_TRUE(scene.PlainPicture().Empty());
    EXPECT_EQ(Composed(scene), stillShown);
    EXPECT_TRUE(scene.SetFrame(FrameSource::PlainPicture, {5, 5}).empty());
    EXPECT_EQ(Composed(scene), stillShown);

    const std::string water = test::WriteShowPackage(
        dir.File("water.lvp"), test::GradientPicture(32, 24), test::PackageWeather::Rain);
    scene.LoadPackage(water, 100, OriginalSize, Screen);
    EXPECT_EQ(Composed(scene), stillShown);  // until the package's first frame
    for (int i = 0; i < 3; ++i) {
        scene.StepGenerator();
        scene.SetFrame(FrameSource::Package, {30, 20});
    }
    const Bitmap32 packageShown = Composed(scene);
    EXPECT_EQ(packageShown.Pixel(10, 10), 0xFF0000u);

    // A still picture frees the package and the generator's pictures; the last package frame
    // stays on the screen beside it.
    ShowPlain("green.bmp", test::SolidPicture(4, 4, 0x00FF00), {0, 0});
    EXPECT_EQ(scene.ShownWater(), std::nullopt);
    EXPECT_TRUE(scene.Generator().Output().Empty());
    EXPECT_EQ(scene.Generator().WeatherLayer(), nullptr);
    EXPECT_NO_THROW(scene.StepGenerator());
    const Bitmap32 mixed = Composed(scene);
    EXPECT_EQ(mixed.Pixel(1, 1), 0x00FF00u);
    for (int y = 20; y < Screen.Height; ++y)
        for (int x = 30; x < Screen.Width; ++x)
            ASSERT_EQ(mixed.Pixel(x, y), packageShown.Pixel(x, y)) << x << ", " << y;

    // The package loads again from its file, as the show does at every change.
    scene.LoadPackage(water, 100, OriginalSize, Screen);
    scene.StepGenerator();
    scene.SetFrame(FrameSource::Package, {30, 20});
    EXPECT_EQ(scene.Generator().Output().Width(), 32);
    EXPECT_TRUE(scene.PlainPicture().Empty());
}

TEST_F(ShowSceneTest, APackageThatCannotBePreparedIsNeitherSteppedNorDrawn) {
    PackageContents contents =
        test::ShowPackageContents(test::GradientPicture(32, 24), test::PackageWeather::None);
    contents.Waves[3].Cycle = 0;  // invalid even for an area the mask does not use
    const std::string path = dir.Write("cycle0.lvp", BuildImagePackage(contents));
    EXPECT_THROW(scene.LoadPackage(path, 100, OriginalSize, Screen), DivisionByZeroError);
    EXPECT_EQ(scene.ShownWater(), std::nullopt);
    EXPECT_NO_THROW(scene.StepGenerator());
    scene.SetFrame(FrameSource::Package, {0, 0});
    EXPECT_EQ(scene.FramePicture(), nullptr);
}

// Partial repaints. A package with a round pond and a rectangular pool, each smaller than the
// picture, with strong ripples; rain or snow on request.
std::string WritePondPackage(const std::string& path, const Bitmap32& picture, int weatherKind) {
    PackageContents contents = test::ShowPackageContents(picture, test::PackageWeather::None);
    Bitmap32 mask(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const int dx = x - picture.Width() / 3, dy = y - picture.Height() * 2 / 3;
            if (dx * dx * 4 + dy * dy * 9 < picture.Height() * picture.Height())
                mask.SetPixel(x, y, AreaColours[0]);
            else if (x > picture.Width() * 2 / 3 && y > 8 && y < picture.Height() / 3)
                mask.SetPixel(x, y, AreaColours[2]);
        }
    contents.MaskWords = EncodeAreaMask(mask);
    for (WaveParameters& wave : contents.Waves) {
        wave.Amplitude = 4;
        wave.Jitter = 8;
    }
    if (weatherKind != 0) {
        contents.Weather.Kind = weatherKind;
        contents.Weather.Count = 60;
        contents.Weather.SpeedLevel = 10;
        contents.Weather.Angle = 70;  // slanted rain
        contents.Weather.Length = 20;
    }
    WriteFileAtomically(path, BuildImagePackage(contents));
    return path;
}

void CopyParts(const Bitmap32& from, Bitmap32& onto, const std::vector<PixelRect>& parts) {
    for (const PixelRect& part : parts)
        for (int y = part.Top; y < part.Bottom; ++y)
            for (int x = part.Left; x < part.Right; ++x) onto.SetPixel(x, y, from.Pixel(x, y));
}

struct RepaintCase {
    const char* Name;
    int WeatherKind;
    PixelSize Picture;  // drawn at its own size, centred: larger than the screen crops it
};

class PartialRepaint : public ::testing::TestWithParam<RepaintCase> {
protected:
    static constexpr PixelSize Screen{160, 120};
    static constexpr int Passes = 60;
    static constexpr int RestoreAtPass = 25;  // F1 puts the still water back once

    // The frames of a show that redraws its weather layer and repaints its window in full, as
    // the show did before partial repaints.
    std::vector<Bitmap32> FullRepaints(const std::string& path, PixelPoint at) {
        SetFixedRandomize(true, 99);
        ShowScene scene{Screen};
        scene.Generator().SetWeatherRedraw(WeatherRedraw::Whole);
        scene.LoadPackage(path, 100, OriginalSize, Screen);
        std::vector<Bitmap32> frames;
        for (int pass = 0; pass < Passes; ++pass) {
            if (pass == RestoreAtPass) scene.RestoreGenerator();
            scene.StepGenerator();
            scene.SetFrame(FrameSource::Package, at);
            frames.push_back(Composed(scene));
        }
        SetFixedRandomize(false);
        return frames;
    }

    test::TempDir dir;
};

TEST_P(PartialRepaint, PaintingOnlyTheChangedPartsGivesTheFramesOfFullRepaints) {
    const RepaintCase& c = GetParam();
    const std::string path =
        WritePondPackage(dir.File("pond.lvp"),
                         test::GradientPicture(c.Picture.Width, c.Picture.Height), c.WeatherKind);
    const PixelPoint at = DisplayPosition(c.Picture, Screen, OriginalSize);
    const std::vector<Bitmap32> expected = FullRepaints(path, at);

    SetFixedRandomize(true, 99);
    ShowScene scene{Screen};
    scene.LoadPackage(path, 100, OriginalSize, Screen);
    Bitmap32 window(Screen.Width, Screen.Height);  // starts black, like the window
    int64_t paintedPixels = 0;
    for (int pass = 0; pass < Passes; ++pass) {
        if (pass == RestoreAtPass) scene.RestoreGenerator();
        scene.StepGenerator();
        const std::vector<PixelRect> parts = scene.SetFrame(FrameSource::Package, at);
        CopyParts(Composed(scene), window, parts);
        ASSERT_EQ(window, expected[static_cast<size_t>(pass)]) << c.Name << ", pass " << pass;
        if (pass > 0)
            for (const PixelRect& part : parts)
                paintedPixels += int64_t{part.Width()} * part.Height();
    }
    SetFixedRandomize(false);
    // After the first frame, less than the whole frame is painted per pass; water alone (two
    // ponds in the picture) far less. Weather this dense on so small a picture touches most
    // bands of rows.
    const int64_t framePixels = int64_t{std::min(c.Picture.Width, Screen.Width)} *
                                std::min(c.Picture.Height, Screen.Height);
    EXPECT_LT(paintedPixels, framePixels * (Passes - 1) * (c.WeatherKind == 0 ? 3 : 4) / 4)
        << c.Name;
}

INSTANTIATE_TEST_SUITE_P(ShowScene, PartialRepaint,
                         ::testing::Values(RepaintCase{"water", 0, {120, 90}},
                                           RepaintCase{"snow", 1, {120, 90}},
                                           RepaintCase{"rain", 2, {120, 90}},
                                           RepaintCase{"rain, cropped", 2, {200, 150}}),
                         [](const ::testing::TestParamInfo<RepaintCase>& param) {
                             std::string name;
                             for (const char* c = param.param.Name; *c != 0; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

TEST_F(ShowSceneTest, AStillPictureIsPaintedOnceUntilItsFrameChanges) {
    const std::string path =
        dir.Write("still.bmp", EncodeBmp24(test::SolidPicture(20, 10, 0x123456)));
    scene.SetPlainPicture(scene.DecodePlainPicture(path));
    EXPECT_EQ(scene.SetFrame(FrameSource::PlainPicture, {5, 6}),
              (std::vector<PixelRect>{{5, 6, 25, 16}}));
    EXPECT_TRUE(scene.SetFrame(FrameSource::PlainPicture, {5, 6}).empty());
    EXPECT_TRUE(scene.SetFrame(FrameSource::PlainPicture, {5, 6}).empty());
    // Moved, it is painted again; after a black fill too.
    EXPECT_EQ(scene.SetFrame(FrameSource::PlainPicture, {0, 0}).size(), 1u);
    scene.FillBlack();
    EXPECT_EQ(scene.SetFrame(FrameSource::PlainPicture, {0, 0}),
              (std::vector<PixelRect>{{0, 0, 20, 10}}));
}

}  // namespace
}  // namespace lv
