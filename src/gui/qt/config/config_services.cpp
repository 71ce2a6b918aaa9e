#include "gui/qt/config/config_services.h"

#include <QDesktopServices>
#include <QDialog>
#include <QtGlobal>

#include "platform/system_services.h"

namespace lv {

namespace {

// The system's texts end lines in CR LF; a Qt label shows a lone LF as one break.
QString DisplayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

ConfigServices DesktopConfigServices() {
    ConfigServices services;
    services.ExecDialog = [](QDialog& dialog) { return dialog.exec(); };
    services.Confirm = [](QWidget* parent, const QString& text) {
        return QMessageBox::question(parent, QStringLiteral("Confirm"), DisplayText(text),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    services.Message = [](QWidget* parent, QMessageBox::Icon icon, const QString& text) {
        const QString title = icon == QMessageBox::Critical  ? QStringLiteral("Error")
                              : icon == QMessageBox::Warning ? QStringLiteral("Warning")
                                                             : QStringLiteral("Information");
        QMessageBox box(icon, title, DisplayText(text), QMessageBox::Ok, parent);
        box.exec();
    };
    services.OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    services.SetWallpaper = [](const std::string& bmpPath) {
        return platform::SetDesktopWallpaper(bmpPath);
    };
    services.Log = [](const QString& line) { qWarning("%s", qUtf8Printable(line)); };
    return services;
}

}  // namespace lv
