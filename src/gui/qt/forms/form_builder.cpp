#include "gui/qt/forms/form_builder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QVariant>

#include "common/ascii_case.h"
#include "common/error.h"
#include "common/qt/qt_text.h"
#include "gui/forms/form_prepare.h"
#include "gui/forms/line_text.h"
#include "gui/qt/controls/click_relay.h"
#include "gui/qt/controls/jet_button.h"
#include "gui/qt/controls/picture_button.h"
#include "gui/qt/forms/align_layout.h"
#include "gui/qt/forms/component_class_table.h"
#include "gui/qt/forms/component_properties.h"

namespace lv {
namespace {

const FormDefinitions* builtForms = nullptr;
const Project* builtProject = nullptr;

class Builder {
public:
    Builder(FormWindow& window, std::string fileName)
        : window_(window), fileName_(std::move(fileName)) {}

    void Build(const ComponentNode& root) {
        window_.FormName = Windows1252ToQString(root.Name);
        window_.setObjectName(window_.FormName);
        window_.resize(0, 0);
        std::string activeControl;
        int activeControlLine = 0;
        for (const auto& property : root.Properties) {
            Guarded(property, [&] { ApplyWindowProperty(window_, property, activeControl); });
            if (EqualsIgnoreCase(property.Path, "ActiveControl")) activeControlLine = property.Line;
        }
        for (const auto& child : root.Children) BuildComponent(child, &window_);
        ResolveReferences(activeControl, activeControlLine);
        ArrangeAligned(&window_);
    }

private:
    // Runs one property's setter, turning its complaint into the file's error with the line.
    template <class F>
    void Guarded(const ComponentProperty& property, F&& apply) {
        try {
            apply();
        } catch (const Error& error) {
            throw Error("line " + std::to_string(property.Line) + ": " + property.Path + ": " +
                            error.Message(),
                        fileName_);
        }
    }

    void BuildComponent(const ComponentNode& node, QWidget* parent) {
        const ComponentClassTraits& traits = ClassOf(node);
        ComponentState state;
        state.Class = traits.Class;
        state.Widget = CreateComponentWidget(traits.Class, parent);
        QWidget* widget = state.Widget;
        const QString name = Windows1252ToQString(node.Name);
        const QString className = Windows1252ToQString(node.ClassName);
        widget->setObjectName(name);
        widget->setProperty("lvClass", className);
        window_.AddComponent({name, className, traits.Class, widget});
        for (const auto& property : node.Properties)
            Guarded(property, [&] { ApplyComponentProperty(state, property); });
        FinishComponent(state);
        if (traits.TakesClickBinding) ConnectClick(widget, name);
        if (!state.ActivePage.empty())
            pendingPages_.push_back({widget, state.ActivePage, state.ActivePageLine});
        for (const auto& child : node.Children) BuildComponent(child, widget);
    }

    // The tree comes checked from PrepareFormTree; a tree made otherwise is checked here too.
    const ComponentClassTraits& ClassOf(const ComponentNode& node) const {
        if (const auto* traits = FindComponentClass(node.ClassName)) return *traits;
        throw Error("line " + std::to_string(node.Line) + ": unknown component class '" +
                        node.ClassName + "'",
                    fileName_);
    }

    void ConnectClick(QWidget* widget, const QString& name) {
        FormWindow* window = &window_;
        auto emitClick = [window, name] { emit window->ComponentClicked(name); };
        if (auto* jet = qobject_cast<JetButton*>(widget))
            QObject::connect(jet, &JetButton::Clicked, window, emitClick);
        else if (auto* button = qobject_cast<PictureButton*>(widget))
            QObject::connect(button, &PictureButton::Clicked, window, emitClick);
        else if (auto* push = qobject_cast<QAbstractButton*>(widget))
            QObject::connect(push, &QAbstractButton::clicked, window, emitClick);
        else
            QObject::connect(ClickRelay::Attach(widget), &ClickRelay::Clicked, window, emitClick);
    }

    QWidget* Named(const std::string& name, int line, const char* what) {
        QWidget* widget = window_.FindComponent(Windows1252ToQString(name));
        if (!widget)
            throw Error("line " + std::to_string(line) + ": " + what + ": no component named '" +
                            name + "'",
                        fileName_);
        return widget;
    }

    void ResolveReferences(const std::string& activeControl, int activeControlLine) {
        for (const auto& page : pendingPages_) {
            auto* tabs = qobject_cast<QTabWidget*>(page.Control);
            QWidget* sheet = Named(page.Name, page.Line, "ActivePage");
            if (tabs && tabs->indexOf(sheet) >= 0) tabs->setCurrentWidget(sheet);
        }
        if (!activeControl.empty()) {
            QWidget* control = Named(activeControl, activeControlLine, "ActiveControl");
            control->setFocus();
            window_.setProperty("lvActiveControl", control->objectName());
        }
    }

    struct PendingPage {
        QWidget* Control;
        std::string Name;
        int Line;
    };

    FormWindow& window_;
    std::string fileName_;
    std::vector<PendingPage> pendingPages_;
};

void ApplyFrame(FormWindow& window, const WindowFrame& frame) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (frame.Border == WindowBorder::None) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::WindowTitleHint;
        if (frame.SystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (frame.MaximizeBox) flags |= Qt::WindowMaximizeButtonHint;
        if (frame.MinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    }
    window.setWindowFlags(flags);
    window.setSizeGripEnabled(false);
    if (frame.Border == WindowBorder::Single && !frame.Maximized)
        window.setFixedSize(window.size());
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect geometry = window.geometry();
        geometry.moveCenter(screen->availableGeometry().center());
        window.move(geometry.topLeft());
    }
    if (frame.Maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

// A saver run as a .scr file or configured with /C shows the product's name in the task bar.
void SetApplicationTitle(const Project& project) {
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.isEmpty()) return;
    const bool isSaver = QFileInfo(arguments[0]).suffix().toUpper() == "SCR";
    if (isSaver || (arguments.size() > 1 && arguments[1] == "/C"))
        QGuiApplication::setApplicationDisplayName(
            Windows1252ToQString(project.Setting.ProductName));
}

}  // namespace

void BuildInto(FormWindow& window, const FormDefinitions& forms, const Project& project,
               const std::string& name) {
    SetApplicationTitle(project);
    const std::string fileName = forms.FileName();
    const FormDefinition& form = forms.RequireForm(TrimBlanks(name));
    const FormPlaceholders placeholders{project.Setting.ProductName, project.Setting.Publisher,
                                        project.Setting.Website};
    const ComponentNode tree = PrepareFormTree(form, placeholders, fileName);
    const BaseFormFlags flags = ReadBaseFormFlags(tree, fileName);
    Builder(window, fileName).Build(tree);
    builtForms = &forms;
    builtProject = &project;
    window.Flags = flags;
    ApplyFrame(window, FrameOf(flags));
}

const FormDefinitions* BuiltForms() { return builtForms; }
const Project* BuiltProject() { return builtProject; }

void ApplyTagVisibility(FormWindow& window) {
    for (const auto& component : window.Components()) {
        const auto visible = VisibleByTag(component.Class, ComponentTagOf(component.Widget));
        if (visible) component.Widget->setVisible(*visible);
    }
    ArrangeAligned(&window);
}

int64_t ComponentTagOf(const QWidget* widget) { return widget->property("lvTag").toLongLong(); }

QWidget* ParentComponentOf(const FormWindow& window, const QWidget* widget) {
    for (QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (parent == &window) return parent;
        for (const auto& component : window.Components())
            if (component.Widget == parent) return parent;
    }
    return const_cast<FormWindow*>(&window);
}

}  // namespace lv
