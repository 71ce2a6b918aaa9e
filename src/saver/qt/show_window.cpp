#include "saver/qt/show_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTransform>
#include <QWindow>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "common/bitmap32.h"
#include "common/qt/device_pixels.h"
#include "common/qt/qt_text.h"
#include "project/project.h"
#include "saver/picture_order.h"
#include "saver/qt/host_embedding.h"
#include "saver/qt/painter_pixels.h"
#include "saver/show_input.h"
#include "saver/show_scene.h"
#include "saver/show_settings.h"

namespace lv {
namespace {

// How often the window follows the size of a host window, and polls music in the empty state.
constexpr int HostPollMilliseconds = 250;
constexpr int MusicPollMilliseconds = 100;

// A bitmap seen by the painter without a copy: 0x00RRGGBB words are Format_RGB32.
QImage WrapBitmap(const Bitmap32& bitmap) {
    return QImage(reinterpret_cast<const uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                  static_cast<qsizetype>(bitmap.Width()) * 4, QImage::Format_RGB32);
}

int VirtualKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_F1:
            return VirtualKeyF1;
        case Qt::Key_F2:
            return VirtualKeyF2;
        default:
            return OtherKey;
    }
}

PixelSize PixelSizeOf(const QSize& size) { return {size.width(), size.height()}; }

// Screen-size pictures (33 MB each at 3840 x 2160) are freed and made anew at every picture
// change. With mappings of their own they go back to the system the moment they are freed, so
// the show holds what its pictures need at each moment. Kept in the heap, the new pictures
// often do not fit the holes the old ones leave, and the heap grows by tens of megabytes at a
// change; glibc's own threshold moves up to 32 MB as such blocks are freed, which would put
// every picture but the largest there. The price is faulting in fresh zeroed pages for each
// new picture, once per change.
void GivePicturesMappingsOfTheirOwn() {
#ifdef __GLIBC__
    static const bool done = [] {
        mallopt(M_MMAP_THRESHOLD, 1 << 20);
        return true;
    }();
    (void)done;
#endif
}

}  // namespace

ShowWindow::ShowWindow(Project& project, ShowAudio& audio, Clock& clock, ShowWindowSetup setup,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      project_(project),
      setup_(std::move(setup)),
      scene_(std::make_unique<ShowScene>(PixelSize{800, 600})),
      loop_(std::make_unique<ShowLoop>(
          ShowServices{*this, audio, clock, ProgramInputRules(), ProgramLastSound(), setup_.Folders,
                       RegularFileExists, WarnOnStandardError, ShowStatsFileFromEnvironment()})) {
    GivePicturesMappingsOfTheirOwn();
    if (!setup_.MessageBox) {
        setup_.MessageBox = StandardMessageBox;
    }
    setWindowTitle(QStringLiteral("fmLVScrSvr"));
    // Every paint covers its whole area from our own pictures, so Qt need not clear it first,
    // and what a frame does not cover keeps what it showed.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    passTimer_.setInterval(0);
    connect(&passTimer_, &QTimer::timeout, this, &ShowWindow::RunPass);
    musicTimer_.setInterval(MusicPollMilliseconds);
    connect(&musicTimer_, &QTimer::timeout, this, [this] { loop_->PollMusic(); });
    hostTimer_.setInterval(HostPollMilliseconds);
    connect(&hostTimer_, &QTimer::timeout, this, &ShowWindow::FollowHostWindow);
}

ShowWindow::~ShowWindow() {
    if (!closed_) {
        FormClose();
    }
    if (hostWindow_ != nullptr && windowHandle() != nullptr) {
        windowHandle()->setParent(nullptr);
    }
    delete hostWindow_;
}

void ShowWindow::Open() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    if (setup_.Placement == ShowPlacement::PrimaryScreen) {
        // Set before showing: without a window manager a full-screen request alone leaves the
        // window at a default size.
        placedGeometry_ = setup_.Geometry.isEmpty() ? screen : setup_.Geometry;
        PlaceOnPrimaryScreen(placedGeometry_);
        if (setup_.Geometry.isEmpty()) {
            showFullScreen();
        } else {
            show();
        }
        activateWindow();
        setFocus();
        return;
    }

    const platform::NativeWindow host =
        setup_.Placement == ShowPlacement::RootWindow ? RootWindowId() : setup_.HostWindow;
    const std::optional<QSize> hostSize = ForeignWindowSize(host);
    if (host != 0 && hostSize) {
        // Our window becomes a child of the host's: it moves and disappears with it.
        setAttribute(Qt::WA_NativeWindow);
        winId();
        hostWindow_ = QWindow::fromWinId(static_cast<WId>(host));
        windowHandle()->setParent(hostWindow_);
        if (setup_.Geometry.isEmpty()) {
            FitHostWindow(*hostSize);
        } else {
            setGeometry(QRect(QPoint(0, 0), setup_.Geometry.size()));
            scene_->SetScreenSize(PixelSizeOf(DeviceRect().size()));
        }
        hostTimer_.start();
    } else {
        // No such window (or no X11): the show runs over the screen instead.
        PlaceOnPrimaryScreen(setup_.Geometry.isEmpty() ? screen : setup_.Geometry);
    }
    show();
}

void ShowWindow::PlaceOnPrimaryScreen(const QRect& geometry) {
    setGeometry(geometry);
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    scene_->SetScreenSize(PixelSizeOf(DeviceSize(geometry.size(), ratio)));
}

void ShowWindow::FitHostWindow(QSize hostSize) {
    // The host's size comes from the X server in device pixels: the show is computed at that
    // size, and our window covers it in logical pixels.
    setGeometry(QRect(QPoint(0, 0), LogicalSizeCovering(hostSize, devicePixelRatioF())));
    scene_->SetScreenSize(PixelSizeOf(hostSize));
}

void ShowWindow::FollowHostWindow() {
    const std::optional<QSize> size =
        hostWindow_ != nullptr ? ForeignWindowSize(hostWindow_->winId()) : std::nullopt;
    if (!size) {
        close();  // the host window is gone, and so is the show
        return;
    }
    if (PixelSizeOf(*size) != scene_->ScreenSize()) {
        FitHostWindow(*size);
    }
}

void ShowWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
}

void ShowWindow::FormActivate() {
    // A window manager may have moved or resized the window while another one was active:
    // activated again, it covers the screen again.
    if (closed_ || setup_.Placement != ShowPlacement::PrimaryScreen) {
        return;
    }
    if (geometry() != placedGeometry_) {
        setGeometry(placedGeometry_);
    }
    if (setup_.Geometry.isEmpty() && !isFullScreen()) {
        showFullScreen();
    }
}

void ShowWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!startQueued_) {
        startQueued_ = true;
        // Started from the event loop, so the window is on the screen before the first pass
        // (or the error box of an empty show) runs.
        QTimer::singleShot(0, this, &ShowWindow::StartShowLoop);
    }
}

void ShowWindow::StartShowLoop() {
    if (closed_ || started_) {
        return;
    }
    started_ = true;
    const bool running =
        loop_->Start(EnabledPictures(project_.FileList), ShowSettingsFromProject(project_.Setting));
    if (closed_) {
        return;  // closed while the error box was open
    }
    if (running) {
        platform::SetScreenSaverRunning(true);
        screenSaverRunningSet_ = true;
        setCursor(Qt::BlankCursor);
        if (!setup_.ManualPasses) {
            passTimer_.start();
        }
    } else {
        musicTimer_.start();  // the empty state: a black window, music may still play
    }
}

void ShowWindow::RunPass() {
    if (!closed_) {
        loop_->Tick();
    }
}

PixelSize ShowWindow::ScreenSize() { return scene_->ScreenSize(); }

void ShowWindow::ShowErrorMessage(const std::string& text) {
    setup_.MessageBox(MessageKind::Error, text);
}

PixelSize ShowWindow::DecodePlainPicture(const std::string& path) {
    return scene_->DecodePlainPicture(path);
}

void ShowWindow::SetPlainPicture(PixelSize drawSize) { scene_->SetPlainPicture(drawSize); }

PackageLoadResult ShowWindow::LoadPackage(const std::string& path, int speedPercent,
                                          DisplayRule rule, PixelSize screen) {
    return scene_->LoadPackage(path, speedPercent, rule, screen);
}

void ShowWindow::BeginCrossFade(FrameSource source, PixelPoint position) {
    scene_->BeginCrossFade(source, position);
}

void ShowWindow::DrawCrossFadeStep(int alpha) {
    // The paint blends the step where the window's pixels are (see PaintCrossFadeStep), over
    // the part of the screen the fade changes.
    scene_->SetCrossFadeStep(alpha);
    const PixelRect area = scene_->CrossFadeArea();
    RepaintNow(QRect(area.Left, area.Top, area.Width(), area.Height()));
}

void ShowWindow::EndCrossFade() { scene_->EndCrossFade(); }

void ShowWindow::FillBlack() {
    scene_->FillBlack();
    RepaintNow(DeviceRect());
}

void ShowWindow::StepGenerator() { scene_->StepGenerator(); }

void ShowWindow::RestoreGenerator() { scene_->RestoreGenerator(); }

void ShowWindow::DrawFrame(FrameSource source, PixelPoint position) {
    // Only what changed is painted, and so only that is copied to the window system: nothing
    // for a still picture, the water's and the weather's boxes for a package.
    const qreal ratio = devicePixelRatioF();
    QRegion changed;
    for (const PixelRect& part : scene_->SetFrame(source, position)) {
        changed += LogicalRectCovering(QRect(part.Left, part.Top, part.Width(), part.Height()),
                                       ratio);
    }
    if (!changed.isEmpty()) {
        repaint(changed);
    }
}

void ShowWindow::ReleaseFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

QRect ShowWindow::DeviceRect() const {
    return QRect(QPoint(0, 0), DeviceSize(size(), devicePixelRatioF()));
}

void ShowWindow::RepaintNow(const QRect& area) {
    // Painted and put on the screen before the pass goes on: a fade step or a frame must be
    // seen when it is drawn, not when the event loop next gets round to it.
    if (!area.isEmpty()) {
        repaint(LogicalRectCovering(area, devicePixelRatioF()));
    }
}

void ShowWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!scene_) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    // The scene's pictures are in device pixels. Painted with the inverse of the device pixel
    // ratio as the painter's transform, each of their pixels lands on one pixel of the screen.
    const qreal ratio = devicePixelRatioF();
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    // Written straight into the window's pixels where they allow it: a fade step is then one
    // pass over the screen, where blending into the screen copy and drawing that took three,
    // and the screen copy is not kept twice while the fade lasts.
    const std::optional<PainterPixels> pixels = PainterPixels::Of(painter);
    if (scene_->CrossFading()) {
        if (pixels) {
            PaintCrossFadeStep(painter, *pixels, event->region(), ratio);
            return;
        }
        scene_->ComposeCrossFadeStep(scene_->CrossFadeStep());
    }
    auto draw = [&](const Bitmap32& picture, const QRect& from, QPoint to) {
        if (pixels) {
            pixels->Copy(picture, from, to);
        } else {
            painter.drawImage(to, WrapBitmap(picture), from);
        }
    };
    const Bitmap32* frame = scene_->FramePicture();
    const PixelPoint position = scene_->FramePosition();
    const QRect frameArea =
        frame != nullptr ? QRect(position.X, position.Y, frame->Width(), frame->Height()) : QRect();
    const Bitmap32& screen = scene_->Screen();
    const QRect screenArea(0, 0, screen.Width(), screen.Height());
    for (const QRect& logical : event->region()) {
        const QRect dirty = DeviceRectCovering(logical, ratio);
        if (!frameArea.contains(dirty)) {
            // An empty source rectangle would mean the whole picture to drawImage.
            const QRect screenPart = dirty & screenArea;
            if (!screenPart.isEmpty()) {
                draw(screen, screenPart, screenPart.topLeft());
            }
            // A window larger than the picture of the screen (while a host resizes) stays black.
            for (const QRect& part : QRegion(dirty).subtracted(screenArea)) {
                painter.fillRect(part, Qt::black);
            }
        }
        const QRect framePart = dirty & frameArea;
        if (!framePart.isEmpty()) {
            draw(*frame, framePart.translated(-position.X, -position.Y), framePart.topLeft());
        }
    }
}

void ShowWindow::PaintCrossFadeStep(QPainter& painter, const PainterPixels& pixels,
                                    const QRegion& region, qreal ratio) {
    const Bitmap32& screen = scene_->Screen();
    const QRect screenArea = QRect(0, 0, screen.Width(), screen.Height()) & pixels.Area();
    for (const QRect& logical : region) {
        const QRect dirty = DeviceRectCovering(logical, ratio);
        const QRect part = dirty & screenArea;
        if (!part.isEmpty()) {
            scene_->DrawCrossFadeStep(
                PixelRect{part.left(), part.top(), part.right() + 1, part.bottom() + 1},
                pixels.Origin(), pixels.Stride());
        }
        for (const QRect& outside : QRegion(dirty).subtracted(screenArea)) {
            painter.fillRect(outside, Qt::black);
        }
    }
}

void ShowWindow::keyPressEvent(QKeyEvent* event) {
    if (closed_) {
        return;
    }
    if (loop_->KeyDown(VirtualKeyOf(event->key()), FromQString(event->text()))) {
        close();
    }
}

void ShowWindow::mouseMoveEvent(QMouseEvent* event) {
    if (closed_) {
        return;
    }
    // Measured in device pixels, as every other distance of the show.
    const QPoint position = (event->position() * devicePixelRatioF()).toPoint();
    if (loop_->MouseMove(position.x(), position.y())) {
        close();
    }
}

void ShowWindow::mousePressEvent(QMouseEvent*) {
    if (!closed_ && loop_->MouseDown()) {
        close();
    }
}

void ShowWindow::wheelEvent(QWheelEvent* event) {
    event->accept();  // turning the wheel is not input that ends the show
}

void ShowWindow::closeEvent(QCloseEvent* event) {
    if (closed_) {
        event->accept();
        return;
    }
    loop_->CloseQuery();
    if (!platform::MayCloseScreenSaver(static_cast<platform::NativeWindow>(winId()))) {
        event->ignore();  // the password was not given: the show goes on
        return;
    }
    FormClose();
    event->accept();
    emit ShowClosed();
}

void ShowWindow::FormClose() {
    closed_ = true;
    if (screenSaverRunningSet_) {
        platform::SetScreenSaverRunning(false);
        screenSaverRunningSet_ = false;
    }
    unsetCursor();
    // Sounds and music stop, the last picture sound is forgotten.
    loop_->Close();
    passTimer_.stop();
    musicTimer_.stop();
    hostTimer_.stop();
    // The package objects, the generator and every picture go with the scene; a repaint before
    // the window disappears paints black.
    scene_.reset();
}

}  // namespace lv
