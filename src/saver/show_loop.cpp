#include "saver/show_loop.h"

#include <exception>
#include <utility>

#include "codecs/picture_file.h"
#include "common/random.h"
#include "saver/cross_fade.h"
#include "saver/picture_order.h"
#include "saver/show_audio.h"
#include "saver/show_clock.h"

namespace lv {

ShowLoop::ShowLoop(ShowServices services)
    : services_(std::move(services)),
      music_(services_.Audio, services_.Warn),
      statsFile_(services_.StatsFile) {}

bool ShowLoop::Start(std::vector<std::string> pictures, const ShowSettings& settings) {
    services_.Input.StartShow();
    Randomize();
    pictures_ = std::move(pictures);
    settings_ = settings;
    if (pictures_.empty()) {
        services_.Host.ShowErrorMessage(NoEnabledPictureMessage);
    } else {
        currentIndex_ = -1;
        currentIndex_ = NextPictureIndex(currentIndex_, static_cast<int>(pictures_.size()),
                                         settings_.ShowImageMode);
        currentFile_ = pictures_[static_cast<size_t>(currentIndex_)];
    }
    music_.Start(settings_.Music, settings_.MusicFile, settings_.MusicMode,
                 services_.Folders.WorkingFolder);
    if (!pictures_.empty()) {
        currentDuration_ = settings_.Duration;
        // A first picture that fails to load must not stall the show on a black screen: the
        // first pass then tries the next one, as after any failed change.
        try {
            LoadPicture();
            services_.Host.ReleaseFreedMemory();
        } catch (const std::exception& error) {
            Drop(error.what());
            retryChange_ = true;
        }
        lastChangeTick_ = services_.TickClock.GetTickCount();
        running_ = true;
    }
    lastFrameTick_ = services_.TickClock.GetTickCount();
    return running_;
}

void ShowLoop::Tick() {
    if (!running_) {
        return;
    }
    ++stats_.Passes;
    music_.Poll();
    try {
        if (ChangeDue(services_.TickClock.GetTickCount())) {
            ChangePicture();
        }
        if (!plainPicture_ && packagePrepared_) {
            services_.Host.StepGenerator();
        }
        DrawFrame();
    } catch (const std::exception& error) {
        Drop(error.what());
    }
    // Also after a failed pass: a picture that cannot be decoded is tried again at the pace of
    // the frames, not as often as the processor allows.
    PaceFrame();
    statsFile_.Update(stats_, services_.TickClock.GetTickCount(), services_.Warn);
}

bool ShowLoop::ChangeDue(uint32_t now) const {
    if (retryChange_) {
        return true;
    }
    if (!settings_.AutoAdvance) {
        return false;
    }
    const uint32_t elapsedSeconds = TicksBetween(lastChangeTick_, now) / 1000;
    return static_cast<int64_t>(elapsedSeconds) >= currentDuration_;
}

void ShowLoop::ChangePicture() {
    // Until the change has gone through, every pass tries again with the next picture.
    retryChange_ = true;
    currentDuration_ = settings_.Duration;
    currentIndex_ = NextPictureIndex(currentIndex_, static_cast<int>(pictures_.size()),
                                     settings_.ShowImageMode);
    currentFile_ = pictures_[static_cast<size_t>(currentIndex_)];
    if (currentFile_ != loadedFile_) {
        LoadPicture();
        if (settings_.Transition) {
            CrossFade();
        } else {
            services_.Host.FillBlack();
        }
        services_.Host.ReleaseFreedMemory();
    }
    lastChangeTick_ = services_.TickClock.GetTickCount();
    retryChange_ = false;
    ++stats_.Changes;
}

void ShowLoop::LoadPicture() {
    // Set before anything else, also when the load fails below.
    plainPicture_ = PictureFileKindOf(currentFile_) == PictureFileKind::PlainPicture;
    const PixelSize screen = services_.Host.ScreenSize();
    if (plainPicture_) {
        LoadPlainPicture(screen);
    } else {
        if (!services_.FileExists(currentFile_)) {
            return;  // nothing loaded; the package shown before stays
        }
        LoadPackage(screen);
    }
    loadedFile_ = currentFile_;
}

void ShowLoop::LoadPlainPicture(PixelSize screen) {
    const PixelSize own = services_.Host.DecodePlainPicture(currentFile_);
    const PixelSize drawn = DisplaySize(own, screen, settings_.Display());
    services_.Host.SetPlainPicture(drawn);
    plainPictureSize_ = drawn;
    plainPictureLoaded_ = true;
    services_.Audio.StopPictureSound();
    services_.LastSound.Clear();
}

void ShowLoop::LoadPackage(PixelSize screen) {
    const PackageLoadResult loaded =
        services_.Host.LoadPackage(currentFile_, settings_.Speed, settings_.Display(), screen);
    packageSize_ = loaded.DrawSize;
    packagePrepared_ = true;
    if (settings_.Sound) {
        const std::string sound =
            FindPictureSound(loaded.SoundFile, services_.Folders, services_.FileExists);
        if (services_.LastSound.Request(sound)) {
            services_.Audio.PlayPictureSound(sound);
        }
    }
}

void ShowLoop::CrossFade() {
    const PixelSize screen = services_.Host.ScreenSize();
    const FrameSource source = CurrentSource();
    services_.Host.BeginCrossFade(source, PositionOf(source, screen));
    try {
        RunCrossFade(services_.TickClock, CrossFadeMilliseconds,
                     [this](int alpha) { services_.Host.DrawCrossFadeStep(alpha); });
    } catch (...) {
        services_.Host.EndCrossFade();
        throw;
    }
    services_.Host.EndCrossFade();
}

FrameSource ShowLoop::CurrentSource() const {
    if (plainPicture_) {
        return plainPictureLoaded_ ? FrameSource::PlainPicture : FrameSource::Nothing;
    }
    return packagePrepared_ ? FrameSource::Package : FrameSource::Nothing;
}

PixelPoint ShowLoop::PositionOf(FrameSource source, PixelSize screen) const {
    const PixelSize drawn = source == FrameSource::PlainPicture ? plainPictureSize_ : packageSize_;
    return DisplayPosition(drawn, screen, settings_.Display());
}

void ShowLoop::DrawFrame() {
    const FrameSource source = CurrentSource();
    if (source != FrameSource::Nothing) {
        services_.Host.DrawFrame(source, PositionOf(source, services_.Host.ScreenSize()));
    }
}

void ShowLoop::PaceFrame() {
    // The time since the previous frame is a modular difference, so the pace survives the wrap
    // of the counter and a pass that took longer than a frame does not sleep at all.
    const uint32_t sinceLastFrame =
        TicksBetween(lastFrameTick_, services_.TickClock.GetTickCount());
    if (sinceLastFrame < FrameMilliseconds) {
        services_.TickClock.Sleep(FrameMilliseconds - sinceLastFrame);
    }
    lastFrameTick_ = services_.TickClock.GetTickCount();
}

bool ShowLoop::MouseMove(int x, int y) {
    return services_.Input.MouseMove(x, y) == InputResponse::RequestClose;
}

bool ShowLoop::MouseDown() { return services_.Input.MouseDown() == InputResponse::RequestClose; }

bool ShowLoop::KeyDown(int virtualKey, std::string_view text) {
    const InputResponse response = services_.Input.KeyDown(virtualKey, text);
    if (response == InputResponse::RestoreGenerator) {
        if (packagePrepared_) {
            try {
                services_.Host.RestoreGenerator();
            } catch (const std::exception& error) {
                Drop(error.what());
            }
        }
        return false;
    }
    return response == InputResponse::RequestClose;
}

void ShowLoop::CloseQuery() { services_.Input.CloseQuery(); }

void ShowLoop::Close() {
    running_ = false;
    services_.Audio.StopPictureSound();
    services_.LastSound.Clear();
    music_.Stop();
    statsFile_.Write(stats_, services_.Warn);
}

void ShowLoop::Drop(const char* what) {
    ++droppedErrors_;
    ++stats_.DroppedErrors;
    lastDroppedError_ = what;
}

}  // namespace lv
