// Windows ends a saver with window messages, which the windows handle themselves; there are no
// end signals to catch.
#include "platform/end_signals.h"

namespace lv::platform {

void CatchEndSignals(EndSignalAction) {}

int EndSignalDescriptor() { return -1; }

bool EndSignalReceived() { return false; }

void DrainEndSignalDescriptor() {}

}  // namespace lv::platform
