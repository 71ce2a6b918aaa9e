#include "saver/show_scene.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "codecs/picture_file.h"
#include "common/error.h"
#include "effects/filters/pixel_filters.h"
#include "effects/surface/smooth_resize.h"
#include "effects/water/wave_generator.h"
#include "effects/water/wave_math.h"
#include "effects/water/wave_util.h"
#include "project/image_package.h"

namespace lv {
namespace {

// Copies `picture` onto `canvas` with its top-left corner at `position`, clipped to the canvas.
void DrawPicture(const Bitmap32& picture, Bitmap32& canvas, PixelPoint position) {
    const int left = std::max(0, position.X);
    const int top = std::max(0, position.Y);
    const int right = std::min(canvas.Width(), position.X + picture.Width());
    const int bottom = std::min(canvas.Height(), position.Y + picture.Height());
    if (left >= right || top >= bottom) {
        return;
    }
    const size_t rowBytes = static_cast<size_t>(right - left) * sizeof(uint32_t);
    for (int y = top; y < bottom; ++y) {
        std::memcpy(canvas.Row(y) + left, picture.Row(y - position.Y) + (left - position.X),
                    rowBytes);
    }
}

// Changed parts are handed on in bands of this many rows: a few hundred rectangles at most,
// where rain or snow makes thousands of tiny ones.
constexpr int ChangeBandHeight = 16;
// More pending changes than this (a generator stepped many times without a frame) are taken
// as the whole picture.
constexpr size_t MaxPendingChanges = 1 << 16;

Bitmap32 BlackScreen(PixelSize size) {
    Bitmap32 black(size.Width, size.Height);  // new pixels are 0, which is black
    return black;
}

// The aspect rule `package` is fitted to the screen with, or none when it is shown as loaded;
// raises the errors the fit would.
std::optional<AspectRatio> ScreenFit(const ImagePackage& package, DisplayRule rule,
                                     PixelSize screen) {
    if (!rule.Stretch) return std::nullopt;
    const AspectRatio aspect = rule.Proportional ? AspectRatio::Keep : AspectRatio::Stretch;
    const FittedSize fitted = CheckedFitSize(aspect, package, screen.Width, screen.Height);
    // A package made for this screen size fits already: resizing it to its own size would copy
    // its pictures and leave the wave parameters as they are.
    const Bitmap32& picture = package.Picture;
    if (fitted.width == picture.Width() && fitted.height == picture.Height() &&
        package.Mask.Width() == picture.Width() && package.Mask.Height() == picture.Height())
        return std::nullopt;
    return aspect;
}

// The smallest box holding every pixel of `picture` that is not 0, empty when there is none.
// Rows are searched from the top and from the bottom for the first such pixel; the rows
// between are searched only outside the columns already found, so a screen whose content
// reaches its sides costs a few pixels a row.
PixelRect NonBlackBounds(const Bitmap32& picture) {
    const int width = picture.Width(), height = picture.Height();
    const auto blackRow = [&](int y) {
        const uint32_t* row = picture.Row(y);
        return std::all_of(row, row + width, [](uint32_t pixel) { return pixel == 0; });
    };
    int top = 0;
    while (top < height && blackRow(top)) ++top;
    if (top == height) return {};
    int bottom = height;
    while (blackRow(bottom - 1)) --bottom;
    int left = width, right = 0;
    for (int y = top; y < bottom; ++y) {
        const uint32_t* row = picture.Row(y);
        for (int x = 0; x < left; ++x)
            if (row[x] != 0) left = x;
        for (int x = width - 1; x >= right; --x)
            if (row[x] != 0) right = x + 1;
    }
    return {left, top, right, bottom};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

}  // namespace

ShowScene::ShowScene(PixelSize screen)
    : screenSize_(screen),
      screen_(BlackScreen(screen)),
      shownPackage_(std::make_unique<ImagePackage>()),
      sparePackage_(std::make_unique<ImagePackage>()),
      generator_(std::make_unique<WaveGenerator>()) {}

ShowScene::~ShowScene() = default;

void ShowScene::SetScreenSize(PixelSize screen) {
    if (screen == screenSize_) {
        return;
    }
    screenSize_ = screen;
    screen_ = BlackScreen(screen);
    frameSource_ = FrameSource::Nothing;
    // A fade under way goes on from the black screen, which is the size its steps are drawn at.
    oldScreen_.Clear();
    screenHoldsStep_ = false;
    if (fading_) fadeArea_ = IncomingPictureArea();
}

PixelSize ShowScene::DecodePlainPicture(const std::string& path) {
    decodedPicture_ = LoadPictureFile(path);
    return {decodedPicture_.Width(), decodedPicture_.Height()};
}

void ShowScene::SetPlainPicture(PixelSize drawSize) {
    if (decodedPicture_.Empty()) {
        throw Error("no decoded picture to show");
    }
    // What the window shows stays in the screen copy, so the pictures shown so far can go
    // before the new one is made: a show keeps one picture's buffers at a time.
    SettleFrame();
    plainPicture_.Clear();
    UnloadPackage();
    if (drawSize == PixelSize{decodedPicture_.Width(), decodedPicture_.Height()}) {
        plainPicture_ = std::move(decodedPicture_);
    } else {
        // Resampled once per picture change, never per frame.
        plainPicture_ = ResizeSmooth(decodedPicture_, drawSize.Width, drawSize.Height);
    }
    decodedPicture_.Clear();
}

void ShowScene::UnloadPackage() {
    packagePrepared_ = false;
    generatorChanges_.clear();
    generator_->Unload();
    shownFitted_.reset();
    shownPackage_ = std::make_unique<ImagePackage>();
}

PackageLoadResult ShowScene::LoadPackage(const std::string& path, int speedPercent,
                                         DisplayRule rule, PixelSize screen) {
    // A still picture shown so far stays in the screen copy; its own buffer is not needed while
    // the package loads, nor after.
    if (frameSource_ == FrameSource::PlainPicture) SettleFrame();
    plainPicture_.Clear();
    // Read and checked in the spare object while the shown package goes on: a package that
    // cannot be read, fitted to the screen or stepped leaves the package shown so far running.
    sparePackage_->Load(path);
    sparePackage_->SetSpeedPercent(speedPercent);
    const std::optional<AspectRatio> fit = ScreenFit(*sparePackage_, rule, screen);
    wave::CheckCycles(sparePackage_->Waves);

    // From here on only memory can run short. What the window shows stays in the screen copy,
    // so the pictures shown so far go before the new ones are made: a show holds one picture's
    // buffers at a time, not the old package's beside the new one's.
    SettleFrame();
    UnloadPackage();
    std::swap(shownPackage_, sparePackage_);
    if (fit) {
        // The mask is read through the stretch when the area map is built, never copied.
        shownFitted_ = FitProjectToScreen(*fit, *shownPackage_, screen.Width, screen.Height,
                                          MaskFit::Deferred);
        // The fitted picture stands in for the loaded one from now on.
        shownPackage_->Picture.Clear();
    }
    const WaterSource water = PackageWater();
    generator_->SetProject(water);
    generator_->SetWeather(false);
    generator_->Prepare();
    generator_->SetWeather(water.Weather().Kind > 0);
    packagePrepared_ = true;
    // The generator holds the areas in its own map now; the mask is not read again.
    shownPackage_->Mask.Clear();
    return {{water.Picture().Width(), water.Picture().Height()}, shownPackage_->SoundFile};
}

WaterSource ShowScene::PackageWater() const {
    return shownFitted_ ? WaterSource(*shownFitted_, *shownPackage_) : WaterSource(*shownPackage_);
}

std::optional<WaterSource> ShowScene::ShownWater() const {
    if (!packagePrepared_) return std::nullopt;
    return PackageWater();
}

const Bitmap32* ShowScene::PictureOf(FrameSource source) const {
    switch (source) {
        case FrameSource::PlainPicture:
            return plainPicture_.Empty() ? nullptr : &plainPicture_;
        case FrameSource::Package:
            return packagePrepared_ ? &generator_->ShownPicture() : nullptr;
        case FrameSource::Nothing:
            break;
    }
    return nullptr;
}

void ShowScene::BeginCrossFade(FrameSource source, PixelPoint position) {
    SettleFrame();
    // An image package fades in as its still picture, without ripples or weather. The screen
    // after the change is that picture on black; the steps blend from the picture where it is,
    // so that screen is never made.
    const std::optional<WaterSource> water = ShownWater();
    fadePicture_ =
        source == FrameSource::Package ? (water ? &water->Picture() : nullptr) : PictureOf(source);
    fadePosition_ = position;
    fadeAlpha_ = 0;
    oldScreen_.Clear();
    screenHoldsStep_ = false;
    fading_ = true;
    fadeArea_ = Union(NonBlackBounds(screen_), IncomingPictureArea());
}

PixelRect ShowScene::IncomingPictureArea() const {
    if (fadePicture_ == nullptr) return {};
    return ClipToPicture(
        fadePosition_.X, fadePosition_.Y, int64_t{fadePosition_.X} + fadePicture_->Width(),
        int64_t{fadePosition_.Y} + fadePicture_->Height(), screen_.Width(), screen_.Height());
}

void ShowScene::SetCrossFadeStep(int alpha) {
    if (alpha != fadeAlpha_) screenHoldsStep_ = false;
    fadeAlpha_ = alpha;
}

void ShowScene::DrawCrossFadeStep(PixelRect area, uint32_t* targetOrigin,
                                  ptrdiff_t targetStride) const {
    if (!fading_) return;
    // Blended straight from the pictures: the colour bytes are those of the blend of 24-bit
    // surfaces, without making them or converting the result back.
    static const Bitmap32 nothing;
    BlendPlacedArea(targetOrigin, targetStride, area, fadePicture_ ? *fadePicture_ : nothing,
                    fadePosition_.X, fadePosition_.Y, ScreenBeforeFade(), fadeAlpha_);
}

void ShowScene::ComposeCrossFadeStep(int alpha) {
    if (!fading_) return;
    SetCrossFadeStep(alpha);
    if (screenHoldsStep_) return;
    if (oldScreen_.Empty()) oldScreen_ = screen_;
    DrawCrossFadeStep(fadeArea_, screen_.Data(), screen_.Width());
    screenHoldsStep_ = true;
    frameSource_ = FrameSource::Nothing;
}

void ShowScene::EndCrossFade() {
    if (fading_ && !screenHoldsStep_ && fadeAlpha_ > 0) {
        // The steps went to the window only: the last one is blended into the screen copy in
        // place, each pixel read before it is written.
        DrawCrossFadeStep(fadeArea_, screen_.Data(), screen_.Width());
        frameSource_ = FrameSource::Nothing;
    }
    fading_ = false;
    fadePicture_ = nullptr;
    fadeArea_ = {};
    oldScreen_.Clear();
    screenHoldsStep_ = false;
}

void ShowScene::FillBlack() {
    screen_.Fill(0);
    frameSource_ = FrameSource::Nothing;
}

void ShowScene::StepGenerator() {
    if (packagePrepared_) {
        generator_->Step();
        CollectGeneratorChanges();
    }
}

void ShowScene::RestoreGenerator() {
    if (packagePrepared_) {
        generator_->Restore();
        CollectGeneratorChanges();
    }
}

void ShowScene::CollectGeneratorChanges() {
    const std::vector<PixelRect>& changed = generator_->ChangedRects();
    if (generatorChanges_.size() + changed.size() > MaxPendingChanges) {
        const Bitmap32& picture = generator_->ShownPicture();
        generatorChanges_.assign(1, PixelRect{0, 0, picture.Width(), picture.Height()});
        return;
    }
    generatorChanges_.insert(generatorChanges_.end(), changed.begin(), changed.end());
}

std::vector<PixelRect> ShowScene::SetFrame(FrameSource source, PixelPoint position) {
    // A frame at another place or of another picture leaves the last one on the screen.
    const bool sameFrame = source == frameSource_ && position == framePosition_;
    if (!sameFrame) {
        SettleFrame();
    }
    frameSource_ = PictureOf(source) != nullptr ? source : FrameSource::Nothing;
    framePosition_ = position;
    std::vector<PixelRect> changes;
    changes.swap(generatorChanges_);
    const Bitmap32* picture = FramePicture();
    if (picture == nullptr) {
        return {};
    }
    if (!sameFrame) {
        changes.assign(1, PixelRect{0, 0, picture->Width(), picture->Height()});
    } else if (frameSource_ != FrameSource::Package) {
        changes.clear();
    }
    // From the picture's pixels to the screen's.
    std::vector<PixelRect> onScreen;
    onScreen.reserve(changes.size());
    for (const PixelRect& change : changes) {
        const PixelRect clipped = ClipToPicture(
            int64_t{change.Left} + position.X, int64_t{change.Top} + position.Y,
            int64_t{change.Right} + position.X, int64_t{change.Bottom} + position.Y,
            screen_.Width(), screen_.Height());
        if (!clipped.Empty()) onScreen.push_back(clipped);
    }
    return CoverInBands(onScreen, ChangeBandHeight);
}

const Bitmap32* ShowScene::FramePicture() const { return PictureOf(frameSource_); }

void ShowScene::SettleFrame() {
    if (const Bitmap32* picture = PictureOf(frameSource_)) {
        DrawPicture(*picture, screen_, framePosition_);
    }
    frameSource_ = FrameSource::Nothing;
}

}  // namespace lv
