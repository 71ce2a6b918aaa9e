#pragma once

#include <string>

#include "saver/display_size.h"

namespace lv {

// What a frame shows: the plain picture, the water generator's picture of the loaded image
// package, or nothing yet (no picture of that kind has loaded so far).
enum class FrameSource { Nothing, PlainPicture, Package };

struct PackageLoadResult {
    PixelSize DrawSize;     // the package's picture after any fitting to the screen
    std::string SoundFile;  // the package's sound name as stored
};

// The window side of the show: decoding, the image package and its water generator, and
// drawing. The show loop decides what happens and when; the host does it on the screen. Every
// operation may raise; the show loop drops what a pass raised.
class ShowHost {
public:
    virtual ~ShowHost() = default;

    // The primary display's size in pixels.
    virtual PixelSize ScreenSize() = 0;

    // A modal error box with an OK button.
    virtual void ShowErrorMessage(const std::string& text) = 0;

    // Decodes a plain picture file and returns its own size; the decoded picture waits for
    // SetPlainPicture. On failure the picture drawn before stays.
    virtual PixelSize DecodePlainPicture(const std::string& path) = 0;
    // Makes the decoded picture the drawn plain picture at `drawSize`, resampled smoothly when
    // that differs from its own size (once per load, never per frame).
    virtual void SetPlainPicture(PixelSize drawSize) = 0;

    // Loads the image package at `path` with the animation speed, fits it to `screen` when
    // `rule` stretches, and hands it to the water generator (project, weather off, prepare,
    // weather on when the package has rain or snow). When the load raises, the package shown
    // before must stay intact for stepping and drawing (load into a spare object and swap on
    // success), because the generator still works on it.
    virtual PackageLoadResult LoadPackage(const std::string& path, int speedPercent,
                                          DisplayRule rule, PixelSize screen) = 0;

    // A cross-fade: capture the screen as the old picture and compose the new one (`source`
    // at `position` on black; a package as its still picture), then blend and show the
    // steps, then free what the fade needed.
    virtual void BeginCrossFade(FrameSource source, PixelPoint position) = 0;
    virtual void DrawCrossFadeStep(int alpha) = 0;
    virtual void EndCrossFade() = 0;

    // The change without a transition: the whole screen black until the next frame.
    virtual void FillBlack() = 0;

    // The water generator: one animation step; back to the still picture (F1).
    virtual void StepGenerator() = 0;
    virtual void RestoreGenerator() = 0;

    // Draws `source` with its top-left corner at `position`; the rest of the window keeps what
    // it shows.
    virtual void DrawFrame(FrameSource source, PixelPoint position) = 0;

    // A picture change has ended: memory freed by it (the previous picture, the fade's
    // screens) may go back to the system, so a long show keeps one picture's working set.
    virtual void ReleaseFreedMemory() {}
};

}  // namespace lv
