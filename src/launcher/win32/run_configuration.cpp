#include "launcher/win32/run_configuration.h"

#include <windows.h>

namespace lv {

int RunConfiguration(Project&, FormDefinitions&, const std::string&, const std::string&) {
    ::MessageBoxA(nullptr, "This saver has no configuration window on Windows yet.", " ",
                  MB_OK | MB_ICONINFORMATION);
    return 0;
}

}  // namespace lv
