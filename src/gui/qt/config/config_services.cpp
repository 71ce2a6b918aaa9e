#include "gui/qt/config/config_services.h"

#include <QDesktopServices>
#include <QDialog>
#include <QtGlobal>

#include "platform/system_services.h"
#include "saver/qt/start_show.h"

namespace lv {

namespace {

ConfigEnvironment& Environment() {
    static ConfigEnvironment environment;
    return environment;
}

// The system's texts end lines in CR LF; a Qt label shows a lone LF as one break.
QString DisplayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

void SetConfigEnvironment(ConfigEnvironment environment) { Environment() = std::move(environment); }

const ConfigEnvironment& CurrentConfigEnvironment() { return Environment(); }

int ExecConfigDialog(QDialog& dialog) {
    if (const auto& exec = Environment().Services.ExecDialog) return exec(dialog);
    return dialog.exec();
}

bool ConfirmWithUser(QWidget* parent, const QString& text) {
    if (const auto& confirm = Environment().Services.Confirm) return confirm(parent, text);
    return QMessageBox::question(parent, QStringLiteral("Confirm"), DisplayText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    if (const auto& message = Environment().Services.Message) return message(parent, icon, text);
    const QString title = icon == QMessageBox::Critical  ? QStringLiteral("Error")
                          : icon == QMessageBox::Warning ? QStringLiteral("Warning")
                                                         : QStringLiteral("Information");
    QMessageBox box(icon, title, DisplayText(text), QMessageBox::Ok, parent);
    box.exec();
}

bool OpenWithDesktop(const QUrl& url) {
    if (const auto& open = Environment().Services.OpenUrl) return open(url);
    return QDesktopServices::openUrl(url);
}

void PlaySinglePicture(const Project& project, const std::string& file) {
    if (const auto& play = Environment().Services.PlayPicture) return play(project, file);
    // The show beside this program: its user settings file, working folder and sound folders.
    ShowSinglePicture(project, file, ShowOptionsForProgram(Environment().OwnPath));
}

std::string MakeDesktopWallpaper(const std::string& bmpPath) {
    if (const auto& set = Environment().Services.SetWallpaper) return set(bmpPath);
    return platform::SetDesktopWallpaper(bmpPath);
}

void WriteLog(const QString& line) {
    if (const auto& log = Environment().Services.Log) return log(line);
    qWarning("%s", qUtf8Printable(line));
}

}  // namespace lv
