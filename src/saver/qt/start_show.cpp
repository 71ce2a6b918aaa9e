#include "saver/qt/start_show.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <optional>

#include "common/error.h"
#include "common/qt/qt_text.h"
#include "common/warning.h"
#include "project/project.h"
#include "project/user_settings.h"
#include "saver/qt/show_window.h"
#include "saver/show_clock.h"
#include "saver/show_settings.h"

namespace lv {
namespace {

// The user's choices are lost for this run when their file cannot be read, but the saver still
// runs, with the project's own settings; the line names the file and says why.
std::optional<UserSettings> ReadUserSettingsOrWarn(const std::string& path) {
    try {
        return ReadUserSettings(path);
    } catch (const Error& error) {
        WarnOnStandardError(std::string(error.what()) + "; the saver's own settings are used");
        return std::nullopt;
    }
}

}  // namespace

void StandardMessageBox(MessageKind kind, const std::string& text) {
    const QString title = QGuiApplication::applicationDisplayName();
    // The texts break their lines with CR LF; the toolkit's label wants a plain line feed.
    QString message = ToQString(text);
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (kind == MessageKind::Information) {
        QMessageBox::information(QApplication::activeWindow(), title, message);
    } else {
        QMessageBox::critical(QApplication::activeWindow(), title, message);
    }
}

void StartShow(Project& project, ShowAudio& audio, const ShowOptions& options) {
    const MessageBoxFunction messageBox =
        options.MessageBox ? options.MessageBox : StandardMessageBox;
    if (project.FileList.Files.empty()) {
        messageBox(MessageKind::Information, NoImageMessage);
        return;
    }
    EnableAllPictures(project);
    if (const auto stored = ReadUserSettingsOrWarn(options.UserSettingsFile)) {
        ApplyUserSettings(project, *stored);
    }
    if (options.Muted) {
        project.Setting.Music = false;
        project.Setting.Sound = false;
    }

    SystemClock systemClock;
    Clock& clock = options.TickClock != nullptr ? *options.TickClock : systemClock;

    ShowWindowSetup setup;
    setup.Placement = options.Placement;
    setup.HostWindow = options.HostWindow;
    setup.MessageBox = messageBox;
    setup.Folders = options.Folders;

    // Shown modally: this returns when the window has closed.
    ShowWindow window(project, audio, clock, setup);
    QEventLoop modalLoop;
    QObject::connect(&window, &ShowWindow::ShowClosed, &modalLoop, &QEventLoop::quit);
    window.Open();
    if (!window.Closed()) {
        modalLoop.exec();
    }
}

void ShowSinglePicture(const Project& project, const std::string& file, ShowAudio& audio,
                       const ShowOptions& options) {
    Project single = MakeSinglePictureProject(project, file);
    StartShow(single, audio, options);
}

}  // namespace lv
