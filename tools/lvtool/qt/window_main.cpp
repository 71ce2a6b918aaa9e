// lvtool-window, the program behind `lvtool window`: builds one window of a form definition file
// offscreen, as the configuration mode would, and saves a picture of it or lists its components
// with their places and texts.
#include <unistd.h>

#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "command.h"
#include "common/bitmap32.h"
#include "common/error.h"
#include "common/qt/qt_text.h"
#include "gui/forms/form_definitions.h"
#include "gui/qt/controls/preview_control.h"
#include "gui/qt/controls/thumbnail_list.h"
#include "gui/qt/forms/component_properties.h"
#include "gui/qt/forms/form_builder.h"
#include "json_writer.h"
#include "platform/user_folders.h"
#include "project/project.h"
#include "project/saver_unpacker.h"
#include "window_command.h"

namespace lvtool {
namespace {

namespace fs = std::filesystem;

// The unpacked files of a saver, removed again afterwards.
class UnpackedSaver {
public:
    explicit UnpackedSaver(const std::string& saver) {
        std::string pattern = lv::PrivateTempFolder() + "lvtool-window-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw lv::Error("cannot create a scratch folder", pattern);
        path_ = pattern + "/";
        lv::UnpackPackage(saver, path_);
    }
    ~UnpackedSaver() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    UnpackedSaver(const UnpackedSaver&) = delete;
    UnpackedSaver& operator=(const UnpackedSaver&) = delete;

    void Load(lv::Project& project) const { lv::LoadUnpackedProject(project, path_); }

private:
    std::string path_;
};

void WriteEntry(JsonWriter& json, const QString& name, const QString& className, QRect place,
                bool visible, const QString& text) {
    json.BeginObject();
    json.Key("name");
    json.String(lv::QStringToWindows1252(name));
    json.Key("class");
    json.String(lv::QStringToWindows1252(className));
    json.Key("x");
    json.Integer(place.x());
    json.Key("y");
    json.Integer(place.y());
    json.Key("width");
    json.Integer(place.width());
    json.Key("height");
    json.Integer(place.height());
    json.Key("visible");
    json.Bool(visible);
    json.Key("text");
    json.String(lv::QStringToWindows1252(text));
    json.EndObject();
}

// What the configuration window gives its picture controls when it opens.
void FillPictureControls(lv::FormWindow& window, const lv::Project& project) {
    const auto& files = project.FileList.Files;
    if (files.empty()) return;
    for (const auto& component : window.Components()) {
        if (auto* list = qobject_cast<lv::ThumbnailList*>(component.Widget)) {
            list->SetFiles(&files);
            for (size_t i = 0; i < files.size(); ++i)
                list->SetItemChecked(static_cast<int>(i), true);
            list->SetCurrentItem(0);
        } else if (auto* preview = qobject_cast<lv::PreviewControl*>(component.Widget)) {
            try {
                preview->ShowPicture(files.front());
            } catch (const lv::Error& error) {
                std::fprintf(stderr, "lvtool window: %s\n", error.what());
            }
        }
    }
}

int Run(const std::vector<std::string>& words) {
    const Arguments args(words, {"project", "png"}, {"dump"});
    args.ExpectPositionalCount(2);
    const std::string& formsPath = args.Required(0, "FILE.lvu");
    const std::string& name = args.Required(1, "NAME");

    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char programName[] = "lvtool";
    static char* argv[] = {programName, nullptr};
    QApplication application(argc, argv);

    lv::Project project;
    std::optional<UnpackedSaver> saver;
    if (const auto saverPath = args.Value("project")) {
        saver.emplace(*saverPath);
        saver->Load(project);
    }
    lv::FormDefinitions forms;
    forms.LoadFromFile(formsPath);

    lv::FormWindow window;
    lv::BuildInto(window, forms, project, name);
    lv::ApplyTagVisibility(window);
    FillPictureControls(window, project);
    // A definition may make the window far larger than any screen; refuse before its
    // offscreen picture claims the memory.
    lv::CheckPictureSize(window.width(), window.height(), "window");
    window.show();
    QApplication::processEvents();

    if (const auto png = args.Value("png")) {
        if (!window.grab().save(lv::ToQString(*png), "PNG"))
            throw lv::Error("cannot write the picture", *png);
    }
    if (args.Has("dump")) {
        JsonWriter json;
        json.BeginArray();
        WriteEntry(json, window.FormName, "TfmLVConfigWindow", window.geometry(), true,
                   window.windowTitle());
        for (const auto& component : window.Components()) {
            const QWidget* widget = component.Widget;
            const QWidget* parent = lv::ParentComponentOf(window, widget);
            const QRect place(widget->mapTo(parent, QPoint(0, 0)), widget->size());
            WriteEntry(json, component.Name, component.ClassName, place,
                       widget->isVisibleTo(&window), lv::ShownText(widget));
        }
        json.EndArray();
        std::fputs(json.Text().c_str(), stdout);
    }
    return 0;
}

}  // namespace
}  // namespace lvtool

int main(int argc, char** argv) {
    using lvtool::window::Usage;
    const std::vector<std::string> words(argv + 1, argv + argc);
    // The messages read as lvtool's own, as `lvtool window` runs this program.
    try {
        return lvtool::Run(words);
    } catch (const lvtool::UsageError& e) {
        std::fprintf(stderr, "lvtool window: %s\nusage: lvtool window %s\n", e.message.c_str(),
                     Usage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lvtool window: %s\n", e.what());
        return 1;
    }
}
