#pragma once

#include <QRect>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "saver/qt/start_show.h"
#include "saver/show_host.h"
#include "saver/show_loop.h"
#include "saver/sound_paths.h"

class QPainter;
class QRegion;
class QWindow;

namespace lv {

class PainterPixels;
class ShowScene;
class Project;

struct ShowWindowSetup {
    ShowPlacement Placement = ShowPlacement::PrimaryScreen;
    platform::NativeWindow HostWindow = 0;
    // When not empty, the window's place and size in logical pixels instead of the screen's or
    // the host's (tests and benchmarks run with a window of a chosen size).
    QRect Geometry;
    MessageBoxFunction MessageBox = StandardMessageBox;
    SoundFolders Folders;
    // Passes run only through RunPass (benchmarks), not from the event loop.
    bool ManualPasses = false;
};

// The show's window: borderless, black, over the primary screen (or inside a host window),
// cursor hidden while pictures run. The show's logic is the ShowLoop; the window draws what it
// asks for through ShowScene and hands it the input. The scene works in device pixels (the
// window's logical size times its device pixel ratio, or a host window's own size), so a scaled
// desktop gets frames of its full resolution that are painted without any scaling. Activated
// again after a window manager moved it, a window of its own covers the screen again.
//
// The show runs as the event loop's idle work: a zero-interval timer runs one pass whenever no
// event is waiting, and the pass itself keeps the pace of one frame per 33 ms. Input and
// painting are handled between two passes.
class ShowWindow : public QWidget, public ShowHost {
    Q_OBJECT

public:
    // `project`, `audio` and `clock` are borrowed for the window's life.
    ShowWindow(Project& project, ShowAudio& audio, Clock& clock, ShowWindowSetup setup,
               QWidget* parent = nullptr);
    ~ShowWindow() override;

    // Places and shows the window; the show starts once it is on the screen.
    void Open();
    bool Started() const { return started_; }
    bool Closed() const { return closed_; }

    // One pass of the show, as the idle timer runs it.
    void RunPass();

    const ShowLoop& Loop() const { return *loop_; }
    ShowScene* Scene() { return scene_.get(); }

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
    void ReleaseFreedMemory() override;

signals:
    void ShowClosed();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void StartShowLoop();
    // `geometry` in logical pixels; the scene gets the primary screen's device pixels.
    void PlaceOnPrimaryScreen(const QRect& geometry);
    // `hostSize` in device pixels, as the X server measures the host window.
    void FitHostWindow(QSize hostSize);
    void FollowHostWindow();
    void FormActivate();
    void FormClose();
    // The window's area in device pixels, where the scene's pictures live.
    QRect DeviceRect() const;
    // `area` in device pixels.
    void RepaintNow(const QRect& area);
    // Paints the cross-fade's current step for `region` (logical pixels) into `pixels`.
    void PaintCrossFadeStep(QPainter& painter, const PainterPixels& pixels, const QRegion& region,
                            qreal ratio);

    Project& project_;
    ShowWindowSetup setup_;
    std::unique_ptr<ShowScene> scene_;
    std::unique_ptr<ShowLoop> loop_;
    QTimer passTimer_;
    QTimer musicTimer_;
    QTimer hostTimer_;
    QWindow* hostWindow_ = nullptr;  // the foreign window we are embedded in, if any
    QRect placedGeometry_;           // where Open put a window of its own, in logical pixels
    bool started_ = false;
    bool startQueued_ = false;
    bool closed_ = false;
    bool screenSaverRunningSet_ = false;
};

}  // namespace lv
