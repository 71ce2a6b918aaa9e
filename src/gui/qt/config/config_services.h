#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

#include "gui/config/config_settings.h"

class QDialog;
class QWidget;

namespace lv {

class Project;

// What the configuration windows ask of the desktop and the user. Each member left empty falls
// back to the real thing (the modal loop, message boxes, the desktop's URL handler, the
// single-picture show, the system wallpaper); tests set them so that nothing blocks and nothing
// leaves the process.
struct ConfigServices {
    // Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
    std::function<int(QDialog& dialog)> ExecDialog;
    // A Yes/No question; true for Yes. `text` may hold "\r\n" line breaks.
    std::function<bool(QWidget* parent, const QString& text)> Confirm;
    // A message with an OK button.
    std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& text)> Message;
    // Hands an address or a file URL to the desktop; false when nothing took it.
    std::function<bool(const QUrl& url)> OpenUrl;
    // Plays one picture of the project full screen and returns when that show ends.
    std::function<void(const Project& project, const std::string& file)> PlayPicture;
    // Makes the BMP file the desktop wallpaper; returns a text for the user, "" for none.
    std::function<std::string(const std::string& bmpPath)> SetWallpaper;
    // A line for the program's log.
    std::function<void(const QString& line)> Log;
};

// How this run was started, for every configuration window it opens.
struct ConfigEnvironment {
    std::string OwnPath;        // the long path of the program's file
    std::string FirstArgument;  // the first command-line argument as given ("/C", or "")
    std::string WorkingFolder;  // where the project's files were unpacked
    // The user settings file, checked once per run so that a bad one is reported once.
    UserSettingsFile SettingsFile;
    ConfigServices Services;
};

// The environment is set once by the run mode (or by a test) before a window is built.
void SetConfigEnvironment(ConfigEnvironment environment);
const ConfigEnvironment& CurrentConfigEnvironment();

// The services of the current environment, empty members replaced by the real ones.
int ExecConfigDialog(QDialog& dialog);
bool ConfirmWithUser(QWidget* parent, const QString& text);
void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text);
bool OpenWithDesktop(const QUrl& url);
void PlaySinglePicture(const Project& project, const std::string& file);
std::string MakeDesktopWallpaper(const std::string& bmpPath);
void WriteLog(const QString& line);

}  // namespace lv
