#include "saver/qt/start_show.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <memory>
#include <optional>

#include "audio/sdl_show_audio.h"
#include "common/error.h"
#include "common/warning.h"
#include "launcher/creator_config.h"
#include "launcher/working_folder.h"
#include "project/project.h"
#include "project/user_settings.h"
#include "saver/muted_show_audio.h"
#include "saver/qt/show_window.h"
#include "saver/show_clock.h"
#include "saver/show_settings.h"
#include "saver/sound_paths.h"

namespace lv {
namespace {

// The show needs an application object; a caller that has none gets one for the show's time.
std::unique_ptr<QApplication> EnsureApplication() {
    if (QApplication::instance() != nullptr) {
        return nullptr;
    }
    static int argc = 1;
    static char name[] = "lvcsaver";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

std::string CreatorFolder() {
    try {
        return CreatorConfig().GetCreatorFolder();
    } catch (const std::exception&) {
        return {};  // without the creator's configuration its sounds folder is not searched
    }
}

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
    QString message = QString::fromLocal8Bit(text.c_str());
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (kind == MessageKind::Information) {
        QMessageBox::information(QApplication::activeWindow(), title, message);
    } else {
        QMessageBox::critical(QApplication::activeWindow(), title, message);
    }
}

ShowOptions ShowOptionsForProgram(const std::string& ownPath) {
    ShowOptions options;
    options.UserSettingsFile = UserSettingsPath(ownPath);
    options.ProgramFolder = FolderPart(ExpandLongPath(ownPath));
    try {
        options.WorkingFolder = WorkingFolderPath(ownPath);
    } catch (const std::exception&) {
        // A program file that cannot be found has no working folder; sounds are then looked
        // for by their own paths only.
    }
    return options;
}

void StartShow(Project& project, const ShowOptions& options) {
    const MessageBoxFunction messageBox =
        options.MessageBox ? options.MessageBox : StandardMessageBox;
    const std::unique_ptr<QApplication> application = EnsureApplication();
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
    std::unique_ptr<ShowAudio> ownAudio;
    if (options.Audio == nullptr) {
        if (options.Muted) {
            ownAudio = std::make_unique<MutedShowAudio>();
        } else {
            ownAudio = std::make_unique<audio::SdlShowAudio>();
        }
    }
    ShowAudio& audio = options.Audio != nullptr ? *options.Audio : *ownAudio;

    ShowWindowSetup setup;
    setup.Placement = options.Placement;
    setup.HostWindow = options.HostWindow;
    setup.MessageBox = messageBox;
    setup.Folders = {options.WorkingFolder, CreatorFolder(), options.ProgramFolder};

    // Shown modally: this returns when the window has closed.
    ShowWindow window(project, audio, clock, setup);
    QEventLoop modalLoop;
    QObject::connect(&window, &ShowWindow::ShowClosed, &modalLoop, &QEventLoop::quit);
    window.Open();
    if (!window.Closed()) {
        modalLoop.exec();
    }
}

void ShowSinglePicture(const Project& project, const std::string& file,
                       const ShowOptions& options) {
    Project single = MakeSinglePictureProject(project, file);
    StartShow(single, options);
}

}  // namespace lv
