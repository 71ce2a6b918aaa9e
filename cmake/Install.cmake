# What `cmake --install` puts where (prefix /usr/local by default, /usr in the package):
#   bin/lvtool; libexec/lorvane/lvcsaver (slim) and lvtool-window;
#   libexec/xscreensaver/lorvane-demo and share/xscreensaver/config/lorvane-demo.xml (the demo
#   as an xscreensaver hack); the manual pages; README, SECURITY and changelog in the doc folder.
# Component "dbgsym" holds the engine's debug file under lib/debug/.build-id/, where debuggers
# and the crash reporter look for it by the build id every saver keeps.
set(LV_HACK_INSTALL_DIR "${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver" CACHE STRING
    "Folder of xscreensaver's hacks, relative to the prefix")
set(LV_HACK_CONFIG_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/xscreensaver/config" CACHE STRING
    "Folder of xscreensaver's hack descriptions, relative to the prefix")
set(LV_DOC_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/doc/lorvane")

# The demo saver, made by lvtool from the slim engine while building.
set(LV_DEMO_FOLDER ${CMAKE_BINARY_DIR}/demo)
add_custom_command(
  OUTPUT ${LV_DEMO_FOLDER}/lorvane-demo
  COMMAND lvtool make-demo ${LV_DEMO_FOLDER} --engine $<TARGET_FILE:lvcsaver> > /dev/null
  COMMAND ${CMAKE_COMMAND} -E copy ${LV_DEMO_FOLDER}/Demo.scr ${LV_DEMO_FOLDER}/lorvane-demo
  DEPENDS lvtool lvcsaver
  COMMENT "Making the demo saver"
  VERBATIM)

# Manual pages are installed compressed, as Debian keeps them.
set(LV_MAN_PAGES lvtool.1 lvcsaver.6)
set(LV_MAN_OUTPUTS)
foreach(page ${LV_MAN_PAGES})
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/man/${page} > ${CMAKE_BINARY_DIR}/man/${page}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/man/${page}
    VERBATIM)
  list(APPEND LV_MAN_OUTPUTS ${CMAKE_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(lv_install_files ALL DEPENDS ${LV_DEMO_FOLDER}/lorvane-demo ${LV_MAN_OUTPUTS})

install(TARGETS lvtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(TARGETS lvcsaver lvtool-window RUNTIME DESTINATION ${LV_ENGINE_INSTALL_DIR} COMPONENT runtime)
# The tools are installed without their debug information (the engine's is in its own file);
# the demo saver is never touched, since stripping would cut off its appended package.
set(LV_STRIPPED_TOOLS "${CMAKE_INSTALL_BINDIR}/lvtool" "${LV_ENGINE_INSTALL_DIR}/lvtool-window")
install(CODE "set(lv_objcopy \"${CMAKE_OBJCOPY}\")
  set(lv_tools \"${LV_STRIPPED_TOOLS}\")" COMPONENT runtime)
install(CODE [[
  foreach(tool IN LISTS lv_tools)
    execute_process(COMMAND "${lv_objcopy}" --strip-debug "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${tool}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()]] COMPONENT runtime)
install(PROGRAMS ${LV_DEMO_FOLDER}/lorvane-demo DESTINATION ${LV_HACK_INSTALL_DIR} COMPONENT runtime)
install(FILES data/xscreensaver/lorvane-demo.xml DESTINATION ${LV_HACK_CONFIG_INSTALL_DIR}
        COMPONENT runtime)
install(FILES ${CMAKE_BINARY_DIR}/man/lvtool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT runtime)
install(FILES ${CMAKE_BINARY_DIR}/man/lvcsaver.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6
        COMPONENT runtime)
install(FILES README.md SECURITY.md CHANGELOG.md DESTINATION ${LV_DOC_INSTALL_DIR} COMPONENT runtime)
if(LV_SPLIT_DEBUG)
  # Debian's debug folder is /usr/lib/debug whatever the multiarch library folder is.
  install(DIRECTORY ${CMAKE_BINARY_DIR}/debug-root/ DESTINATION lib/debug COMPONENT dbgsym)
endif()
