#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

#include "gui/config/config_places.h"

class QDialog;
class QWidget;

namespace lv {

class Project;

// What the configuration windows ask of the desktop, the user and the rest of the program. The
// program hands them in; tests hand in ones that record instead of blocking or leaving the
// process. Every member is set.
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

// The desktop's own services: the modal loop, the toolkit's message boxes, the desktop's URL
// handler, the system wallpaper and the program's warning output. PlayPicture stays empty: the
// show is not part of the configuration windows, and the program binds it.
ConfigServices DesktopConfigServices();

// How this run was started and what its windows may use; every window the run opens gets the
// same one, which must outlive them.
struct ConfigContext : ConfigPlaces {
    ConfigServices Services;
};

}  // namespace lv
