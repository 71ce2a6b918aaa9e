#pragma once

#include <QObject>
#include <QWidget>

namespace lv {

// Turns a completed left click (press and release inside the widget) on a widget that has no
// click of its own (a label, a panel, a shape, a picture) into the Clicked signal. Owned by the
// widget it watches.
class ClickRelay : public QObject {
    Q_OBJECT
public:
    static ClickRelay* Attach(QWidget* widget);

signals:
    void Clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ClickRelay(QWidget* widget);
    QWidget* widget_;
    bool pressed_ = false;
};

}  // namespace lv
