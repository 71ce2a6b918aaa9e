# The Win32 configuration window's tests: the class table, the form builder and the window with
# its Settings dialog and actions, run through Wine (CMAKE_CROSSCOMPILING_EMULATOR) on the test
# command's display. One Wine process runs them all, as each start of Wine costs a second or two.
if(NOT TARGET gtest_main)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
file(GLOB LV_WIN32_GUI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_test.cpp)
add_executable(lv_win32_gui_tests ${LV_WIN32_GUI_TEST_SOURCES})
target_include_directories(lv_win32_gui_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../..)
target_link_libraries(lv_win32_gui_tests PRIVATE lvwinfrontend gtest_main lv_warnings)
add_test(NAME Win32ConfigWindowTests COMMAND lv_win32_gui_tests)
