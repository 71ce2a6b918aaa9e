#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

class QSocketNotifier;

namespace lv {

// Ends a run in order when the host asks for it with a signal (platform/end_signals.h): every
// window closes the way its own close does (the show stops its music and sounds, the
// configuration window stores the current picture and the ticks as its Close button does), so
// the mode returns and deletes its unpacked files. Windows that open while the run ends (a
// message box raised by a close) are closed as well: nobody is left to click them.
class OrderlyEnd : public QObject {
    Q_OBJECT

public:
    // Watches the end-signal pipe; platform::CatchEndSignals(EndSignalAction::Notify) has been
    // called. Needs the QApplication.
    OrderlyEnd();
    ~OrderlyEnd() override;

    // Whether the end has been asked for: by a signal, even one the event loop has not seen
    // yet, or by Request.
    bool Requested() const;

    // The same end for a reason of the program's own.
    void Request();

private:
    void OnSignal();

    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer sweep_;
    bool requested_ = false;
};

// Closes every visible top-level window, as its close button would.
void CloseEveryWindow();

}  // namespace lv
