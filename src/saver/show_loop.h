#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "saver/background_music.h"
#include "saver/show_host.h"
#include "saver/show_input.h"
#include "saver/show_settings.h"
#include "saver/show_stats.h"
#include "saver/sound_paths.h"

namespace lv {

class Clock;
class ShowAudio;

inline constexpr uint32_t FrameMilliseconds = 33;
inline constexpr const char* NoEnabledPictureMessage =
    "Unable to run screensaver.\r\nPlease configure!";

// What a show borrows. The input rules and the last picture sound live for the program run.
struct ShowServices {
    ShowHost& Host;
    ShowAudio& Audio;
    Clock& TickClock;
    ShowInputRules& Input = ProgramInputRules();
    LastSoundRule& LastSound = ProgramLastSound();
    SoundFolders Folders{};
    FileExistsFunction FileExists = RegularFileExists;
    WarningFunction Warn = WarnOnStandardError;
    // Where the show keeps its counters (see ShowStatsFile); empty for nowhere.
    std::string StatsFile{};
};

// The show's logic without a window. The window calls Start when it is shown, Tick whenever its
// event loop is idle, the input handlers for its events, CloseQuery before it closes and Close
// when it does; the host draws.
//
// One pass (Tick): when pictures change by time and the current one has had its whole seconds
// (tick difference taken modulo 2^32), the next picture is chosen; it is loaded only when its
// path differs from the loaded one, and then faded in or preceded by a black screen. The time of
// the change is taken after that, so a picture's time counts from the end of its fade-in. Then
// the generator steps when an image package is shown, the frame is drawn and the pass sleeps
// until 33 ms have passed since the previous frame. An error in a pass is dropped with the rest
// of that pass, but the pass still sleeps out its frame; a change that failed is tried again,
// with the next picture, at the next pass.
class ShowLoop {
public:
    explicit ShowLoop(ShowServices services);

    // The start of the show. Shows the error box when there is no picture; starts the music
    // (also then); loads the first picture. Returns true when the show runs, false in the empty
    // state, where only input and music remain.
    bool Start(std::vector<std::string> pictures, const ShowSettings& settings);

    // One pass of the show. Never raises.
    void Tick();

    // Starts the next music track when one has ended. Tick does this too; the window calls it
    // on its own in the empty state.
    void PollMusic() { music_.Poll(); }

    // Input. Each returns true when the window should ask to close.
    bool MouseMove(int x, int y);
    bool MouseDown();
    bool KeyDown(int virtualKey, std::string_view text);
    // The close request is being decided; the window allows it (no password check here).
    void CloseQuery();
    // The window closes: sounds and music stop, the last picture sound is forgotten.
    void Close();

    bool Running() const { return running_; }
    const std::vector<std::string>& Pictures() const { return pictures_; }
    int CurrentIndex() const { return currentIndex_; }
    const std::string& CurrentFile() const { return currentFile_; }
    const std::string& LoadedFile() const { return loadedFile_; }
    bool PlainPicture() const { return plainPicture_; }
    int CurrentDuration() const { return currentDuration_; }
    uint32_t LastChangeTick() const { return lastChangeTick_; }
    uint32_t LastFrameTick() const { return lastFrameTick_; }
    const BackgroundMusic& Music() const { return music_; }
    int DroppedErrors() const { return droppedErrors_; }
    const std::string& LastDroppedError() const { return lastDroppedError_; }
    const ShowStats& Stats() const { return stats_; }

private:
    bool ChangeDue(uint32_t now) const;
    void ChangePicture();
    void LoadPicture();
    void LoadPlainPicture(PixelSize screen);
    void LoadPackage(PixelSize screen);
    void CrossFade();
    FrameSource CurrentSource() const;
    PixelPoint PositionOf(FrameSource source, PixelSize screen) const;
    void DrawFrame();
    void PaceFrame();
    void Drop(const char* what);

    ShowServices services_;
    BackgroundMusic music_;
    ShowSettings settings_;
    std::vector<std::string> pictures_;
    bool running_ = false;
    int currentIndex_ = -1;
    std::string currentFile_;
    std::string loadedFile_;
    bool plainPicture_ = false;
    // Each kind keeps its own drawn size, so a failed load of one kind never moves the other.
    bool plainPictureLoaded_ = false;
    PixelSize plainPictureSize_;
    bool packagePrepared_ = false;
    PixelSize packageSize_;
    int currentDuration_ = 0;
    uint32_t lastChangeTick_ = 0;
    uint32_t lastFrameTick_ = 0;
    bool retryChange_ = false;
    int droppedErrors_ = 0;
    std::string lastDroppedError_;
    ShowStats stats_;
    ShowStatsFile statsFile_;
};

}  // namespace lv
