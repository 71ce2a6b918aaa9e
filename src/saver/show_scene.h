#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/bitmap32.h"
#include "common/pixel_rect.h"
#include "effects/water/water_source.h"
#include "saver/show_host.h"

namespace lv {

class ImagePackage;
class WaveGenerator;

// The pictures of a show, without a window: the plain picture at its display size, the image
// package with its water generator, a copy of what the screen shows and the cross-fade's
// surfaces. A window implements ShowHost by calling these and then painting what Frame() and
// Screen() say.
//
// What the screen shows is kept as Screen() plus the last frame: every frame draws the current
// picture over the same place, so the picture is not copied into Screen() per frame but only
// when something is about to replace it (a new picture, a fade, a black fill). Screen() then
// always holds what the window shows, which is what a cross-fade starts from.
//
// Image packages load into a spare package object and are checked there (the fit to the
// screen, the waves the generator steps): the generator borrows the shown package's pictures
// (or their copies fitted to the screen), so a load that fails on the file must never discard
// them. Only then is the package shown before freed, before the new one is fitted and
// prepared, so that the two packages' pictures are never held at once; after the generator is
// prepared the new package's mask goes too, as the generator has turned it into its area map.
//
// One kind of picture is kept at a time: a new still picture frees the package and the
// generator's pictures, and a package load frees the still picture. What the window showed of
// them stays in Screen().
class ShowScene {
public:
    explicit ShowScene(PixelSize screen);
    ~ShowScene();
    ShowScene(const ShowScene&) = delete;
    ShowScene& operator=(const ShowScene&) = delete;

    PixelSize ScreenSize() const { return screenSize_; }
    // A new screen size (a host window that was resized): the screen copy turns black.
    void SetScreenSize(PixelSize screen);

    PixelSize DecodePlainPicture(const std::string& path);
    void SetPlainPicture(PixelSize drawSize);
    PackageLoadResult LoadPackage(const std::string& path, int speedPercent, DisplayRule rule,
                                  PixelSize screen);

    // A cross-fade from what the screen shows to the picture of `source` at `position` on
    // black. Its steps are drawn in one of two ways, which may be mixed: straight into the
    // window's pixels (SetCrossFadeStep, then DrawCrossFadeStep for the parts being painted),
    // which leaves Screen() as it was before the fade; or into Screen() (ComposeCrossFadeStep),
    // which first puts the screen before the fade aside. Either way Screen() holds the last step
    // after EndCrossFade.
    void BeginCrossFade(FrameSource source, PixelPoint position);
    bool CrossFading() const { return fading_; }
    void SetCrossFadeStep(int alpha);
    int CrossFadeStep() const { return fadeAlpha_; }
    // Blends the current step for the screen's `area` into pixel rows where the screen's pixel
    // (x, y) is targetOrigin[y * targetStride + x].
    void DrawCrossFadeStep(PixelRect area, uint32_t* targetOrigin, ptrdiff_t targetStride) const;
    // The part of the screen the steps change: the box around what the screen showed before
    // the fade that was not black, and the incoming picture's place. Outside it every step is
    // black, as the screen was, so a window need repaint only this.
    PixelRect CrossFadeArea() const { return fadeArea_; }
    // Makes `alpha` the current step and blends it into Screen(); the window then shows all of it.
    void ComposeCrossFadeStep(int alpha);
    void EndCrossFade();

    void FillBlack();
    // The generator works only on a package that was fully prepared; otherwise these do nothing.
    void StepGenerator();
    void RestoreGenerator();

    // Records the frame the window is about to paint and returns the parts of the screen that
    // differ from what the window showed after the last SetFrame, in bands (CoverInBands): the
    // whole frame when its picture or place is new, nothing for a still picture shown again,
    // and for a package only what its generator changed since (the water's boxes, the drops or
    // flakes before and after). Painting just these keeps the window exactly as painting the
    // whole frame would.
    std::vector<PixelRect> SetFrame(FrameSource source, PixelPoint position);

    // The frame the window paints over Screen(): its picture (null when none) and position.
    const Bitmap32* FramePicture() const;
    PixelPoint FramePosition() const { return framePosition_; }
    // What the window shows outside the frame (the whole screen when FramePicture() is null).
    const Bitmap32& Screen() const { return screen_; }

    // The loaded pictures, for tests and the configuration of a benchmark.
    const Bitmap32& PlainPicture() const { return plainPicture_; }
    // The water the generator runs on: the shown package, fitted to the screen when it was
    // stretched; nothing until a package has been prepared.
    std::optional<WaterSource> ShownWater() const;
    WaveGenerator& Generator() { return *generator_; }

private:
    const Bitmap32* PictureOf(FrameSource source) const;
    // The shown package's water, fitted or as loaded.
    WaterSource PackageWater() const;
    // Copies the last frame into Screen(), before its picture changes or is covered.
    void SettleFrame();
    // Frees the shown package and the generator's pictures; the generator does nothing until
    // the next package is prepared.
    void UnloadPackage();
    // Notes what the generator's last operation changed in its picture.
    void CollectGeneratorChanges();

    PixelSize screenSize_;
    Bitmap32 screen_;
    FrameSource frameSource_ = FrameSource::Nothing;
    PixelPoint framePosition_;
    // What the generator changed in its picture since the last SetFrame.
    std::vector<PixelRect> generatorChanges_;

    Bitmap32 decodedPicture_;
    Bitmap32 plainPicture_;

    std::unique_ptr<ImagePackage> shownPackage_;
    std::unique_ptr<ImagePackage> sparePackage_;
    std::optional<FittedWater> shownFitted_;
    std::unique_ptr<WaveGenerator> generator_;
    bool packagePrepared_ = false;

    // The screen the cross-fade starts from: screen_ until a step is blended into it, then
    // the copy put aside in oldScreen_.
    const Bitmap32& ScreenBeforeFade() const { return oldScreen_.Empty() ? screen_ : oldScreen_; }
    // Where the incoming picture lies on the screen.
    PixelRect IncomingPictureArea() const;

    // The cross-fade: the picture that comes in at its position on black (none: all black),
    // the current step, and whether screen_ holds that step already.
    bool fading_ = false;
    Bitmap32 oldScreen_;
    const Bitmap32* fadePicture_ = nullptr;
    PixelPoint fadePosition_;
    int fadeAlpha_ = 0;
    bool screenHoldsStep_ = false;
    PixelRect fadeArea_;
};

}  // namespace lv
