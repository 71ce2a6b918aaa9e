# The Windows test programs, cross-built and run through Wine (CMAKE_CROSSCOMPILING_EMULATOR).
# GoogleTest is built from Debian's sources, as no MinGW build of it exists.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set(LV_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR}/..)

# The core suite: the same tests as on Linux, less those that need Linux itself (other
# programs of the Linux build, POSIX processes and signals, X11, symbolic links and the search
# in $PATH) or compare with libjpeg and giflib output, which Windows decodes through stb_image
# instead.
file(GLOB_RECURSE LV_CORE_TEST_SOURCES CONFIGURE_DEPENDS RELATIVE ${LV_TESTS_DIR}
  ${LV_TESTS_DIR}/common/*.cpp ${LV_TESTS_DIR}/codecs/*.cpp ${LV_TESTS_DIR}/launcher/*.cpp
  ${LV_TESTS_DIR}/project/*.cpp ${LV_TESTS_DIR}/saver/*.cpp ${LV_TESTS_DIR}/effects/*.cpp
  ${LV_TESTS_DIR}/gui/*.cpp ${LV_TESTS_DIR}/support/*.cpp)
list(FILTER LV_CORE_TEST_SOURCES EXCLUDE REGEX "(^|/)(qt|win32)/")
set(LV_LINUX_ONLY_TESTS
  common/architecture_test.cpp codecs/picture_file_test.cpp
  codecs/gif_codec_test.cpp codecs/jpeg_codec_test.cpp codecs/bmp_codec_test.cpp
  effects/surface/surface_commands_test.cpp effects/water/lvtool_ripple_test.cpp
  gui/config/config_actions_test.cpp gui/forms/default_forms_test.cpp
  gui/forms/lvtool_forms_test.cpp
  launcher/end_signal_test.cpp launcher/host_mode_test.cpp launcher/preview_x11_test.cpp
  launcher/program_test.cpp launcher/shared_folder_test.cpp
  launcher/instance_registration_test.cpp launcher/working_folder_test.cpp
  launcher/user_settings_path_test.cpp
  project/lvtool_package_test.cpp project/saver_round_trip_test.cpp
  project/container_test.cpp project/user_settings_test.cpp saver/soak_test.cpp)
list(REMOVE_ITEM LV_CORE_TEST_SOURCES ${LV_LINUX_ONLY_TESTS})
list(TRANSFORM LV_CORE_TEST_SOURCES PREPEND ${LV_TESTS_DIR}/)
file(GLOB_RECURSE LV_WIN32_CORE_TEST_SOURCES CONFIGURE_DEPENDS ${LV_TESTS_DIR}/*/win32/*_test.cpp)
# The front end's folders have a test program of their own, below.
list(FILTER LV_WIN32_CORE_TEST_SOURCES EXCLUDE REGEX "/(audio|saver|gui|launcher)/win32/")
add_executable(lv_core_tests ${LV_CORE_TEST_SOURCES} ${LV_WIN32_CORE_TEST_SOURCES})
target_include_directories(lv_core_tests PRIVATE ${LV_TESTS_DIR})
target_link_libraries(lv_core_tests PRIVATE lvcore gtest_main lv_warnings)
target_compile_definitions(lv_core_tests PRIVATE LV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
target_compile_options(lv_core_tests PRIVATE
  "SHELL:-include ${LV_TESTS_DIR}/support/win32/posix_test_calls.h")
# One test for the whole suite: a Wine process per case would cost minutes.
# Three cases assume Linux file-system rules: names that differ only in letter case are
# different files, a name may end in dots, and $XDG_RUNTIME_DIR moves the private temporary
# folder (Windows takes it from %TMP%).
add_test(NAME lv_core_tests.exe COMMAND lv_core_tests --gtest_brief=1
  "--gtest_filter=-UnpackedAudioFiles.NamesInAnotherLetterCaseFindTheUnpackedFile:SaverPackage.EveryNameTheBuilderAcceptsUnpacksUnderThatName:LVCProjectTest.TemporaryFilesAreNamedAfterTheContainer")
set_tests_properties(lv_core_tests.exe PROPERTIES TIMEOUT 300)

# The crash reporter, seen from outside: probes that fail on purpose.
add_executable(lv_crash_probe ${LV_TESTS_DIR}/crash/crash_probe.cpp)
target_link_libraries(lv_crash_probe PRIVATE lvcrash lv_warnings)
add_executable(lv_access_violation_probe ${LV_TESTS_DIR}/crash/win32/access_violation_probe.cpp)
target_link_libraries(lv_access_violation_probe PRIVATE lvcrash lv_warnings)
set(LV_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
add_test(NAME WindowsCrashReport.AnEscapedExceptionIsReportedWithItsStack
  COMMAND bash ${LV_TESTS_DIR}/crash/win32/crash_report_test.sh ${LV_WINE_RUN}
          $<TARGET_FILE:lv_crash_probe> "probe failure" FailDeepInside)
add_test(NAME WindowsCrashReport.AnAccessViolationIsReportedWithItsStack
  COMMAND bash ${LV_TESTS_DIR}/crash/win32/crash_report_test.sh ${LV_WINE_RUN}
          $<TARGET_FILE:lv_access_violation_probe> "access violation" WriteThroughNull)
set_tests_properties(WindowsCrashReport.AnEscapedExceptionIsReportedWithItsStack
  WindowsCrashReport.AnAccessViolationIsReportedWithItsStack PROPERTIES TIMEOUT 120)

# A Windows saver built on Linux by lvtool from the demo's files, run under Wine. lvtool is a
# program of the Linux build (LV_LINUX_BUILD_DIR, which the test command builds first).
set(LV_LINUX_BUILD_DIR ${PROJECT_SOURCE_DIR}/build CACHE PATH "The Linux build, for its lvtool")
if(TARGET lvcsaver)
  add_test(NAME WindowsSaver.BuiltByLvtoolFromTheDemoFilesRunsUnderWine
    COMMAND bash ${LV_TESTS_DIR}/launcher/win32/windows_saver_test.sh
            ${LV_LINUX_BUILD_DIR}/bin/lvtool ${LV_WINE_RUN} $<TARGET_FILE:lvcsaver>)
  set_tests_properties(WindowsSaver.BuiltByLvtoolFromTheDemoFilesRunsUnderWine PROPERTIES
    SKIP_RETURN_CODE 77 TIMEOUT 180)
endif()

# The Win32 front end's own tests: the show window and the preview on the test display, the
# sound through a fake of the winmm calls. One program run, so Wine starts once.
file(GLOB_RECURSE LV_WIN_FRONTEND_TEST_SOURCES CONFIGURE_DEPENDS
  ${LV_TESTS_DIR}/audio/win32/*_test.cpp ${LV_TESTS_DIR}/saver/win32/*_test.cpp
  ${LV_TESTS_DIR}/gui/win32/*_test.cpp ${LV_TESTS_DIR}/launcher/win32/*_test.cpp)
add_executable(lv_win_frontend_tests ${LV_WIN_FRONTEND_TEST_SOURCES})
target_include_directories(lv_win_frontend_tests PRIVATE ${LV_TESTS_DIR})
target_link_libraries(lv_win_frontend_tests PRIVATE lvwinfrontend gtest_main lv_warnings)
add_test(NAME lv_win_frontend_tests COMMAND lv_win_frontend_tests)
# The configuration mode of the demo saver, driven with xdotool on the test command's display;
# the front-end tests open windows there too, so the two take turns.
add_test(NAME WineSaver.configuration
  COMMAND bash ${LV_TESTS_DIR}/gui/win32/config_mode_wine.sh ${LV_LINUX_BUILD_DIR}/bin/lvtool
          $<TARGET_FILE:lvcsaver> ${CMAKE_BINARY_DIR}/shots/configuration.png)
set_tests_properties(lv_win_frontend_tests WineSaver.configuration PROPERTIES
  TIMEOUT 300 RESOURCE_LOCK test_display SKIP_RETURN_CODE 77)

# The engine run as the system runs a saver: the demo saver built around lvcsaver.exe by the
# Linux build's lvtool, /s on a screen of its own, /p into the window of a small host program,
# and an unknown switch. One after another, as they share a Wine prefix of their own.
add_executable(lv_preview_host ${LV_TESTS_DIR}/launcher/win32/preview_host.cpp)
target_link_libraries(lv_preview_host PRIVATE gdi32 lv_warnings)
set(LV_LINUX_LVTOOL "${PROJECT_SOURCE_DIR}/build/bin/lvtool" CACHE FILEPATH
    "The Linux build's lvtool, which builds the Windows demo saver for the Wine tests")
foreach(case show preview unknown-switch)
  add_test(NAME WineSaver.${case}
    COMMAND bash ${LV_TESTS_DIR}/launcher/win32/wine_saver_test.sh ${case} ${LV_LINUX_LVTOOL}
            $<TARGET_FILE:lvcsaver> $<TARGET_FILE:lv_preview_host> ${CMAKE_BINARY_DIR}/wine-saver
            ${CMAKE_BINARY_DIR}/shots)
  set_tests_properties(WineSaver.${case} PROPERTIES
    SKIP_RETURN_CODE 77 RESOURCE_LOCK wine_saver_prefix TIMEOUT 300)
endforeach()
