// The show's pictures without a window: what the screen copy holds after frames, black fills
// and fades, and what a failed package load leaves.
#include "saver/show_scene.h"

#include <gtest/gtest.h>

#include "common/error.h"
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
    EXPECT_EQ(scene.ShownWater()->Mask().Height(), Screen.Height);
    EXPECT_EQ(scene.ShownWater()->Weather().Kind, 2);

    const std::string broken = dir.Write("broken.lvp", "not a package at all");
    EXPECT_THROW(scene.LoadPackage(broken, 100, StretchFull, Screen), Error);
    scene.StepGenerator();
    EXPECT_EQ(scene.Generator().Output().Width(), Screen.Width);
    EXPECT_EQ(scene.ShownWater()->Picture().Height(), Screen.Height);
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

}  // namespace
}  // namespace lv
