#include "launcher/qt/orderly_end.h"

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <vector>

#include "platform/end_signals.h"

namespace lv {
namespace {

// How often windows that open while the run ends are closed again.
constexpr int SweepMilliseconds = 100;

}  // namespace

void CloseEveryWindow() {
    // A close may open or delete other windows; work on guarded copies.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) windows.emplace_back(window);
    for (const QPointer<QWidget>& window : windows)
        if (window && window->isVisible()) window->close();
}

OrderlyEnd::OrderlyEnd() {
    sweep_.setInterval(SweepMilliseconds);
    connect(&sweep_, &QTimer::timeout, this, &CloseEveryWindow);
    const int descriptor = platform::EndSignalDescriptor();
    if (descriptor >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &OrderlyEnd::OnSignal);
    }
}

OrderlyEnd::~OrderlyEnd() = default;

bool OrderlyEnd::Requested() const { return requested_ || platform::EndSignalReceived(); }

void OrderlyEnd::OnSignal() {
    platform::DrainEndSignalDescriptor();
    Request();
}

void OrderlyEnd::Request() {
    if (requested_) return;
    requested_ = true;
    if (notifier_) notifier_->setEnabled(false);
    CloseEveryWindow();
    sweep_.start();
}

}  // namespace lv
