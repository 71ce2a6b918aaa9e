#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/forms/component_classes.h"
#include "gui/win32/forms/win32_class_table.h"

namespace lv {
namespace {

TEST(Win32ClassTable, EveryCoreClassHasExactlyOneEntry) {
    for (const auto& traits : ComponentClasses()) {
        int entries = 0;
        for (const auto& entry : Win32ComponentClasses()) entries += entry.Class == traits.Class;
        EXPECT_EQ(entries, 1) << traits.Name;
        EXPECT_NO_THROW(Win32ClassOf(traits.Class)) << traits.Name;
    }
    EXPECT_EQ(Win32ComponentClasses().size(), ComponentClasses().size());
}

// Each entry's maker gives a child window of the class the entry names, so the builder and the
// clicks it relies on (BN_CLICKED, STN_CLICKED, the drawn controls' own) find what they expect.
TEST(Win32ClassTable, EveryEntryMakesAChildOfItsWindowClass) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    for (const auto& entry : Win32ComponentClasses()) {
        HWND window = entry.Create(parent, 7);
        ASSERT_NE(window, nullptr) << TraitsOf(entry.Class).Name;
        char name[64] = {};
        GetClassNameA(window, name, sizeof(name));
        EXPECT_EQ(lstrcmpiA(name, entry.WindowClass), 0)
            << TraitsOf(entry.Class).Name << " made a " << name;
        EXPECT_EQ(GetParent(window), parent);
        EXPECT_EQ(GetDlgCtrlID(window), 7);
        DestroyWindow(window);
    }
    DestroyWindow(parent);
}

}  // namespace
}  // namespace lv
