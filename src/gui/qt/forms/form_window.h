#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "gui/forms/component_classes.h"
#include "gui/forms/form_prepare.h"

namespace lv {

// The base class of every window built from a form definition: an ordinary top-level window
// that publishes six window flags the definition may set, and knows the components the
// builder created in it.
class FormWindow : public QDialog {
    Q_OBJECT

public:
    explicit FormWindow(QWidget* parent = nullptr) : QDialog(parent) {}

    // The six base-form flags, all False unless the definition sets them.
    BaseFormFlags Flags;

    // The window's name as its definition gives it ("MainWindow").
    QString FormName;

    struct Component {
        QString Name;
        QString ClassName;  // as the definition spells it, e.g. "TJetButton"
        ComponentClass Class = ComponentClass::Form;
        QWidget* Widget = nullptr;  // owned by the window through Qt's parent chain
    };
    // Every component in creation order (the window itself is not among them).
    const std::vector<Component>& Components() const { return components_; }
    void AddComponent(Component component) { components_.push_back(std::move(component)); }
    // The first component of that name, letter case ignored; nullptr when there is none.
    QWidget* FindComponent(const QString& name) const {
        for (const auto& c : components_)
            if (c.Name.compare(name, Qt::CaseInsensitive) == 0) return c.Widget;
        return nullptr;
    }

signals:
    // A completed click on a component of a class that takes click bindings (see
    // ComponentClassTraits).
    void ComponentClicked(const QString& componentName);

private:
    std::vector<Component> components_;
};

}  // namespace lv
