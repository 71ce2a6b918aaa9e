#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/pixel_rect.h"
#include "saver/show_host.h"
#include "saver/show_loop.h"
#include "saver/sound_paths.h"
#include "saver/win32/message_box.h"

namespace lv {

class Clock;
class Project;
class ShowAudio;
class ShowScene;

namespace win32 {

struct ShowWindowSetup {
    MessageBoxFunction ShowMessage = StandardMessageBox;
    SoundFolders Folders;
    // When not empty, the window's place and size on the screen instead of the primary
    // screen's (tests run a window of a chosen size).
    RECT Geometry{};
};

// The show's window on Windows: a borderless topmost popup over the primary screen, black, the
// cursor hidden while pictures run. The show's logic is the ShowLoop; the window draws what it
// asks for through ShowScene and hands it the input.
//
// RunUntilClosed is the message loop: while pictures run it never waits for a message. Every
// waiting message is dispatched, then one pass of the show runs (which keeps the pace of one
// frame per 33 ms itself), so input, painting and the music's end-of-track notification are
// handled between two passes. In the empty state (no enabled picture) the loop waits for
// messages and polls the music now and then.
class ShowWindow final : public ShowHost {
public:
    // `project`, `audio` and `clock` are borrowed for the window's life.
    ShowWindow(Project& project, ShowAudio& audio, Clock& clock, ShowWindowSetup setup);
    ~ShowWindow() override;
    ShowWindow(const ShowWindow&) = delete;
    ShowWindow& operator=(const ShowWindow&) = delete;

    // Creates and shows the window, then starts the show (or its empty state).
    void Open();
    // Runs the show until the window has closed. A WM_QUIT seen meanwhile is posted again for
    // the caller's loop and ends the show.
    void RunUntilClosed();
    // The part of RunUntilClosed that handles what is waiting: every message, then one pass
    // when pictures run. Returns false once the window has closed.
    bool RunOnce();

    HWND Handle() const { return window_; }
    bool Closed() const { return closed_; }
    const ShowLoop& Loop() const { return *loop_; }

    // ShowHost: what the show loop asks of the window.
    PixelSize ScreenSize() override;
    void ShowErrorMessage(const std::string& text) override;
    PixelSize DecodePlainPicture(const std::string& path) override;
    void SetPlainPicture(PixelSize drawSize) override;
    PackageLoadResult LoadPackage(const std::string& path, int speedPercent, DisplayRule rule,
                                  PixelSize screen) override;
    void BeginCrossFade(FrameSource source, PixelPoint position) override;
    void DrawCrossFadeStep(int alpha) override;
    void EndCrossFade() override;
    void FillBlack() override;
    void StepGenerator() override;
    void RestoreGenerator() override;
    void DrawFrame(FrameSource source, PixelPoint position) override;

private:
    // noexcept: an error must not unwind through the system's frames; it reaches the
    // program's terminate handler, which reports it.
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void StartShowLoop();
    void FormActivate();
    void RequestClose();
    void FormClose();
    void Paint(HDC dc);
    // Draws the part `area` of the screen copy (all of it when none is given) onto the window.
    void PaintScreen(std::optional<PixelRect> area = std::nullopt);
    void PaintFrame();

    Project& project_;
    ShowWindowSetup setup_;
    RECT placed_{};
    std::unique_ptr<ShowScene> scene_;
    std::unique_ptr<ShowLoop> loop_;
    HWND window_ = nullptr;
    bool running_ = false;
    bool closed_ = false;
    bool cursorHidden_ = false;
    bool screenSaverRunningSet_ = false;
};

}  // namespace win32
}  // namespace lv
