# Moves a program's debug information into PROGRAM.debug and leaves a slim PROGRAM behind with a
# link to it, as Debian's packages do: savers are copies of the slim program, and a debugger or
# the crash reporter still finds the names, beside the program through the link or under
# DEBUG_ROOT/.build-id/xx/rest.debug through the build id every copy keeps.
#
# usage: cmake -DOBJCOPY=... -DREADELF=... -DPROGRAM=... -DDEBUG_ROOT=... -P SplitDebug.cmake
foreach(variable OBJCOPY READELF PROGRAM DEBUG_ROOT)
  if(NOT ${variable})
    message(FATAL_ERROR "SplitDebug.cmake needs -D${variable}=...")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed: ${error}")
  endif()
  set(run_output "${output}" PARENT_SCOPE)
endfunction()

get_filename_component(debug_name "${PROGRAM}.debug" NAME)
run(${OBJCOPY} --only-keep-debug --compress-debug-sections=zlib "${PROGRAM}" "${PROGRAM}.debug")
# The compiler's version text goes too, as Debian's packages drop it.
run(${OBJCOPY} --strip-all --remove-section=.comment "--add-gnu-debuglink=${PROGRAM}.debug"
    "${PROGRAM}")

run(${READELF} --notes "${PROGRAM}")
if(NOT run_output MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
  message(FATAL_ERROR "${PROGRAM} has no build id")
endif()
# Only the current program's file: an older build's would be installed beside it.
file(REMOVE_RECURSE "${DEBUG_ROOT}/.build-id")
file(MAKE_DIRECTORY "${DEBUG_ROOT}/.build-id/${CMAKE_MATCH_1}")
file(COPY_FILE "${PROGRAM}.debug" "${DEBUG_ROOT}/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug")
