#include "gui/win32/config/win32_config_window.h"

#include "codecs/picture_file.h"
#include "common/error.h"
#include "effects/surface/smooth_resize.h"
#include "gui/config/config_actions.h"
#include "gui/config/config_settings.h"
#include "gui/win32/controls/drawn_control.h"
#include "gui/win32/controls/thumbnail_grid.h"
#include "gui/win32/forms/win32_form_builder.h"
#include "project/image_package.h"
#include "project/project.h"

namespace lv {

namespace {

FormPlaceholders PlaceholdersOf(const Project& project) {
    return {project.Setting.ProductName, project.Setting.Publisher, project.Setting.Website};
}

// The picture a preview shows: an image package's own picture or a plain picture file.
Bitmap32 LoadPreviewPicture(const std::string& path) {
    const PictureFileKind kind = PictureFileKindOf(path);
    if (kind == PictureFileKind::ImagePackage) {
        ImagePackage package;
        package.Load(path);
        return std::move(package.Picture);
    }
    if (kind == PictureFileKind::PlainPicture) return LoadPictureFile(path);
    return {};
}

}  // namespace

Win32ConfigWindow::Win32ConfigWindow(const FormDefinitions& forms, Project& project,
                                     const std::string& name, const Win32ConfigContext& context,
                                     HWND owner)
    : forms_(forms), project_(project), context_(context), form_(owner) {
    BuildWin32Form(form_, forms, project, name);
    form_.ComponentClicked = [this](const std::string& component) { DoAction(component); };
    form_.CloseRequested = [this] { Close(); };
    form_.Shown = [this] { FormShow(); };
}

size_t Win32ConfigWindow::PictureCount() const { return project_.FileList.Files.size(); }

void Win32ConfigWindow::FormShow() {
    shown_ = true;
    // An unreadable settings file or thumbnail must not escape into the message loop.
    try {
        FillControls();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void Win32ConfigWindow::ShowError(const std::exception& error) {
    context_.Services.Message(form_.Handle(), MB_ICONERROR, error.what());
}

void Win32ConfigWindow::FillControls() {
    closed_ = false;
    const size_t pictures = PictureCount();
    pictureIndex_ = ReadPictureIndex(context_.SettingsFile, pictures);
    std::vector<bool> ticks;
    if (pictures > 0) ticks = ReadPictureTicks(context_.SettingsFile, pictures);
    for (const auto& component : form_.Components()) {
        ThumbnailGrid* grid = ThumbnailGridOf(component.Window);
        if (!grid || pictures == 0) continue;
        grid->ItemSelected = nullptr;
        grid->SetFiles(project_.FileList.Files);
        for (size_t i = 0; i < pictures; ++i) grid->SetItemChecked(static_cast<int>(i), ticks[i]);
        grid->SetCurrentItem(pictureIndex_);
        grid->ItemSelected = [this](int item) { SelectPicture(item); };
    }
    ShowCurrentPicture();
    form_.ApplyTagVisibility();
}

void Win32ConfigWindow::SelectPicture(int n) {
    pictureIndex_ = ClampPictureIndex(n, PictureCount());
    ShowCurrentPicture();
}

void Win32ConfigWindow::ShowCurrentPicture() {
    if (PictureCount() == 0) return;
    const std::string& file = project_.FileList.Files[static_cast<size_t>(pictureIndex_)];
    for (const auto& component : form_.Components()) {
        DrawnControl* preview = DrawnControlOf(component.Window);
        if (!preview || preview->Class != ComponentClass::Preview) continue;
        // A picture that cannot be decoded leaves the previous one; the list goes on working.
        try {
            const Bitmap32 source = LoadPreviewPicture(file);
            RECT area;
            GetClientRect(component.Window, &area);
            Bitmap32 shown;
            if (area.right > 0 && area.bottom > 0) {
                if (!source.Empty()) {
                    shown = ResizeSmooth(source, area.right, area.bottom);
                } else {
                    // No source: a blank white picture of the control's size.
                    shown.SetSize(area.right, area.bottom);
                    shown.Fill(0x00FFFFFF);
                }
            }
            preview->Picture = std::move(shown);
            preview->Stretch = true;
            InvalidateRect(component.Window, nullptr, FALSE);
        } catch (const std::exception& error) {
            context_.Services.Log(error.what());
        }
    }
}

void Win32ConfigWindow::Close() {
    if (shown_ && !closed_) {
        closed_ = true;
        FormClose();
    }
    form_.EndModal();
}

void Win32ConfigWindow::FormClose() {
    // The last thumbnail list decides [Files], as each one rewrites the whole section.
    std::vector<bool> ticks;
    bool hasList = false;
    for (const auto& component : form_.Components()) {
        const ThumbnailGrid* grid = ThumbnailGridOf(component.Window);
        if (!grid) continue;
        hasList = true;
        ticks.assign(PictureCount(), true);
        for (int i = 0; i < grid->ItemCount() && static_cast<size_t>(i) < ticks.size(); ++i)
            ticks[static_cast<size_t>(i)] = grid->ItemChecked(i);
    }
    try {
        WriteWindowState(context_.SettingsFile, pictureIndex_, hasList ? &ticks : nullptr);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void Win32ConfigWindow::DoAction(const std::string& componentName) {
    // Errors stop at the click: the window stays open and the user learns what failed.
    try {
        const auto action =
            ResolveClick(forms_, form_.FormName, componentName, PlaceholdersOf(project_));
        if (action) RunAction(*action);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void Win32ConfigWindow::RunAction(const ClickAction& action) {
    switch (action.Kind) {
        case ActionKind::OpenDocument:
            return OpenDocument(action.Param1);
        case ActionKind::OpenWindow:
            return ShowWin32ConfigWindow(forms_, project_, action.Param1, context_, form_.Handle());
        case ActionKind::NextPicture:
            return SelectPicture(pictureIndex_ + 1);
        case ActionKind::PreviousPicture:
            return SelectPicture(pictureIndex_ - 1);
        case ActionKind::PlayPicture:
            return PlayPicture();
        case ActionKind::OpenSettings:
            return OpenSettings();
        case ActionKind::CloseWindow:
            return Close();
        case ActionKind::SetWallpaper:
            return SetWallpaper();
        case ActionKind::None:
            return;
    }
}

void Win32ConfigWindow::OpenDocument(const std::string& target) {
    const Win32ConfigServices& services = context_.Services;
    const OpenDecision decision =
        DecideOpenDocument(target, context_.WorkingFolder, project_.Setting.Website);
    if (decision.Kind != OpenDecision::What::Refused) {
        if (!services.Open(decision.Target))
            services.Log("nothing opened '" + decision.Target + "'");
        return;
    }
    // The user clicked something and must learn why nothing opened; the log keeps it.
    services.Log("not opened: " + decision.Reason);
    services.Message(form_.Handle(), MB_ICONWARNING,
                     "This could not be opened:\r\n" + decision.Reason);
}

void Win32ConfigWindow::PlayPicture() {
    if (PictureCount() == 0) return;
    context_.Services.PlayPicture(project_,
                                  project_.FileList.Files[static_cast<size_t>(pictureIndex_)]);
}

void Win32ConfigWindow::OpenSettings() {
    ReadConfigSettingsResult read = ReadSettingsDialogValues(project_, context_.SettingsFile);
    // Only OK stores anything, and only into a usable file; the project keeps its values.
    if (context_.Services.EditSettings(form_.Handle(), read.Values, read.Usable) && read.Usable)
        WriteSettingsDialogValues(context_.SettingsFile, read.Values);
}

void Win32ConfigWindow::SetWallpaper() {
    // Without pictures there is nothing to set, so there is nothing to ask either.
    if (PictureCount() == 0) return;
    const Win32ConfigServices& services = context_.Services;
    if (!services.Confirm(form_.Handle(), WallpaperQuestion)) return;
    const std::string& file = project_.FileList.Files[static_cast<size_t>(pictureIndex_)];
    if (context_.OwnPath.empty())
        throw Error("the program's own file is not known; no wallpaper written");
    const std::string path = WallpaperPath(context_.OwnPath);
    WriteWallpaperFile(path, LoadWallpaperPicture(file));
    const std::string message = services.SetWallpaper(path);
    if (!message.empty()) services.Message(form_.Handle(), MB_ICONINFORMATION, message);
}

void ShowWin32ConfigWindow(const FormDefinitions& forms, Project& project, const std::string& name,
                           const Win32ConfigContext& context, HWND owner) {
    Win32ConfigWindow window(forms, project, name, context, owner);
    ApplyStoredSettings(project, context.SettingsFile);
    window.Run();
}

}  // namespace lv
