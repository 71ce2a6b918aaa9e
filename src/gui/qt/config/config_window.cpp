#include "gui/qt/config/config_window.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <exception>

#include "common/error.h"
#include "common/qt/qt_text.h"
#include "gui/config/config_actions.h"
#include "gui/forms/form_definitions.h"
#include "gui/qt/config/settings_dialog.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/thumbnail_list.h"
#include "gui/qt/forms/form_builder.h"
#include "project/project.h"

namespace lv {

namespace {

FormPlaceholders PlaceholdersOf(const Project& project) {
    return {project.Setting.ProductName, project.Setting.Publisher, project.Setting.Website};
}

}  // namespace

ConfigWindow::ConfigWindow(const FormDefinitions& forms, Project& project,
                           const ConfigContext& context, QWidget* parent)
    : FormWindow(parent), forms_(forms), project_(project), context_(context) {
    connect(this, &FormWindow::ComponentClicked, this, &ConfigWindow::DoAction);
}

size_t ConfigWindow::PictureCount() const { return project_.FileList.Files.size(); }

void ConfigWindow::showEvent(QShowEvent* event) {
    FormWindow::showEvent(event);
    // The window's own show, not the desktop bringing it back from minimised.
    if (!event->spontaneous()) FormShow();
}

void ConfigWindow::done(int result) {
    if (shown_ && !closed_) {
        closed_ = true;
        FormClose();
    }
    FormWindow::done(result);
}

void ConfigWindow::FormShow() {
    shown_ = true;
    // An unreadable settings file or thumbnail must not escape into the event loop.
    try {
        FillControls();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void ConfigWindow::ShowError(const std::exception& error) {
    context_.Services.Message(this, QMessageBox::Critical, ToQString(error.what()));
}

void ConfigWindow::FillControls() {
    closed_ = false;
    const size_t pictures = PictureCount();
    pictureIndex_ = ReadPictureIndex(SettingsFile(), pictures);

    std::vector<bool> ticks;
    if (pictures > 0) ticks = ReadPictureTicks(SettingsFile(), pictures);
    for (const Component& component : Components()) {
        QWidget* widget = component.Widget;
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setReadOnly(false);
        if (auto* pages = qobject_cast<QTabWidget*>(widget)) {
            if (QWidget* page = pages->currentWidget()) page->update();
        }
        if (auto* list = qobject_cast<ThumbnailList*>(widget); list && pictures > 0) {
            list->SetFiles(&project_.FileList.Files);
            for (size_t i = 0; i < pictures; ++i)
                list->SetItemChecked(static_cast<int>(i), ticks[i]);
            connect(list, &ThumbnailList::ItemSelected, this, &ConfigWindow::SelectPicture,
                    Qt::UniqueConnection);
            list->viewport()->update();
            list->SetCurrentItem(pictureIndex_);
        }
    }
    RefreshControls();
}

void ConfigWindow::RefreshControls() {
    for (const Component& component : Components())
        if (auto* list = qobject_cast<ThumbnailList*>(component.Widget)) list->viewport()->update();
    ShowCurrentPicture();
    ApplyTagVisibility(*this);
}

void ConfigWindow::SelectPicture(int n) {
    pictureIndex_ = ClampPictureIndex(n, PictureCount());
    ShowCurrentPicture();
}

void ConfigWindow::ShowCurrentPicture() {
    if (PictureCount() == 0) return;
    const std::string& file = project_.FileList.Files[static_cast<size_t>(pictureIndex_)];
    for (const Component& component : Components()) {
        auto* preview = qobject_cast<PreviewControl*>(component.Widget);
        if (!preview) continue;
        // A picture that cannot be decoded leaves the previous one; the list goes on working.
        try {
            preview->ShowPicture(file);
        } catch (const std::exception& error) {
            context_.Services.Log(ToQString(error.what()));
        }
    }
}

void ConfigWindow::FormClose() {
    // The last thumbnail list decides [Files], as each one rewrites the whole section.
    std::vector<bool> ticks;
    bool hasList = false;
    for (const Component& component : Components()) {
        auto* list = qobject_cast<ThumbnailList*>(component.Widget);
        if (!list) continue;
        hasList = true;
        ticks.assign(PictureCount(), true);
        for (int i = 0; i < list->ItemCount() && static_cast<size_t>(i) < ticks.size(); ++i)
            ticks[static_cast<size_t>(i)] = list->ItemChecked(i);
    }
    try {
        WriteWindowState(SettingsFile(), pictureIndex_, hasList ? &ticks : nullptr);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void ConfigWindow::DoAction(const QString& componentName) {
    // Errors stop at the click: the window stays open and the user learns what failed.
    try {
        // Definition texts are 8-bit; names are plain identifiers in practice.
        const auto action =
            ResolveClick(forms_, QStringToWindows1252(FormName),
                         QStringToWindows1252(componentName), PlaceholdersOf(project_));
        if (action) RunAction(*action);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void ConfigWindow::RunAction(const ClickAction& action) {
    switch (action.Kind) {
        case ActionKind::OpenDocument:
            return OpenDocument(action.Param1);
        case ActionKind::OpenWindow:
            return OpenWindow(action.Param1);
        case ActionKind::NextPicture:
            return SelectPicture(pictureIndex_ + 1);
        case ActionKind::PreviousPicture:
            return SelectPicture(pictureIndex_ - 1);
        case ActionKind::PlayPicture:
            return PlayPicture();
        case ActionKind::OpenSettings:
            return OpenSettings();
        case ActionKind::CloseWindow:
            close();
            return;
        case ActionKind::SetWallpaper:
            return SetWallpaper();
        case ActionKind::None:
            return;
    }
}

void ConfigWindow::OpenDocument(const std::string& target) {
    const ConfigServices& services = context_.Services;
    const OpenDecision decision =
        DecideOpenDocument(target, context_.WorkingFolder, project_.Setting.Website);
    switch (decision.Kind) {
        case OpenDecision::What::Address:
            services.OpenUrl(QUrl(ToQString(decision.Target), QUrl::TolerantMode));
            return;
        case OpenDecision::What::File:
            services.OpenUrl(QUrl::fromLocalFile(ToQString(decision.Target)));
            return;
        case OpenDecision::What::Refused:
            // The user clicked something and must learn why nothing opened; the log keeps it.
            services.Log(QStringLiteral("not opened: ") + ToQString(decision.Reason));
            services.Message(
                this, QMessageBox::Warning,
                QStringLiteral("This could not be opened:\n") + ToQString(decision.Reason));
            return;
    }
}

void ConfigWindow::OpenWindow(const std::string& name) {
    ShowConfigWindow(forms_, project_, name, context_);
}

void ConfigWindow::PlayPicture() {
    if (PictureCount() == 0) return;
    context_.Services.PlayPicture(project_,
                                  project_.FileList.Files[static_cast<size_t>(pictureIndex_)]);
}

void ConfigWindow::OpenSettings() {
    SettingsDialog dialog(this);
    const ReadConfigSettingsResult read = ReadSettingsDialogValues(project_, SettingsFile());
    dialog.btnOK->setEnabled(read.Usable);
    dialog.SetValues(read.Values);
    // Only OK stores anything, and only into a usable file; the project keeps its values.
    if (context_.Services.ExecDialog(dialog) == QDialog::Accepted && read.Usable)
        WriteSettingsDialogValues(SettingsFile(), dialog.Values());
}

void ConfigWindow::SetWallpaper() {
    // Without pictures there is nothing to set, so there is nothing to ask either.
    if (PictureCount() == 0) return;
    const ConfigServices& services = context_.Services;
    if (!services.Confirm(this, ToQString(WallpaperQuestion))) return;
    const std::string& file = project_.FileList.Files[static_cast<size_t>(pictureIndex_)];
    const std::string& ownPath = context_.OwnPath;
    if (ownPath.empty()) throw Error("the program's own file is not known; no wallpaper written");
    const std::string path = WallpaperPath(ownPath);
    WriteWallpaperFile(path, LoadWallpaperPicture(file));
    const std::string message = services.SetWallpaper(path);
    if (!message.empty()) services.Message(this, QMessageBox::Information, ToQString(message));
}

std::unique_ptr<ConfigWindow> BuildWindow(const FormDefinitions& forms, Project& project,
                                          const std::string& name, const ConfigContext& context) {
    auto window = std::make_unique<ConfigWindow>(forms, project, context);
    BuildInto(*window, forms, project, name);
    return window;
}

void ShowConfigWindow(const FormDefinitions& forms, Project& project, const std::string& name,
                      const ConfigContext& context) {
    const std::unique_ptr<ConfigWindow> window = BuildWindow(forms, project, name, context);
    ApplyStoredSettings(project, context.SettingsFile);
    context.Services.ExecDialog(*window);
}

}  // namespace lv
