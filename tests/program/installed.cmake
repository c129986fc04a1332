# Installs the build BUILD_DIR into fresh folders under WORK_DIR, as a whole and as the
# component "lotwise" that the Debian package holds, and checks that each holds exactly
# the program and its files (in BINDIR and DATADIR, named by the id APP_ID), with the
# command-line program SEARCH_PROGRAM when one is given, nothing of the tests or tools. Then
# starts the installed program for a few seconds on Qt's offscreen platform with a home of
# its own, and checks that it keeps to the per-user data folder, with the instructions page
# installed with it; and has the command-line program answer --help without a display.
file(REMOVE_RECURSE ${WORK_DIR})
set(expected
    ${BINDIR}/lotwise
    ${DATADIR}/applications/${APP_ID}.desktop
    ${DATADIR}/doc/lotwise/copyright
    ${DATADIR}/lotwise/instructions.htm
    ${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
set(programs ${BINDIR}/lotwise)
if(SEARCH_PROGRAM)
  list(APPEND programs ${BINDIR}/${SEARCH_PROGRAM})
  list(APPEND expected ${BINDIR}/${SEARCH_PROGRAM})
endif()
foreach(size 16 32 64 256)
  list(APPEND expected ${DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
list(SORT expected)
foreach(kind whole component)
  set(prefix ${WORK_DIR}/${kind})
  set(component_option "")
  if(kind STREQUAL "component")
    set(component_option --component lotwise)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                          ${component_option} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${prefix} ${prefix}/*)
  list(SORT installed)
  if(NOT installed STREQUAL expected)
    string(REPLACE ";" "\n  " installed "${installed}")
    message(FATAL_ERROR "cmake --install (${kind}) installed:\n  ${installed}")
  endif()
endforeach()

set(prefix ${WORK_DIR}/component)
set(home ${WORK_DIR}/home)
file(MAKE_DIRECTORY ${home})
foreach(variable DISPLAY WAYLAND_DISPLAY)
  unset(ENV{${variable}})
endforeach()
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{HOME} ${home})
set(ENV{XDG_DATA_HOME} ${home}/data)
# The program runs until its window is closed: it is ended after a few seconds.
execute_process(COMMAND ${prefix}/${BINDIR}/lotwise TIMEOUT 5 RESULT_VARIABLE ended
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB written RELATIVE ${prefix} ${prefix}/${BINDIR}/*)
list(SORT written)
list(SORT programs)
if(NOT written STREQUAL "${programs}")
  message(FATAL_ERROR "The installed program wrote beside itself: ${written}")
endif()
set(copy ${home}/data/Lotwise/instructions.htm)
if(NOT EXISTS ${copy})
  message(FATAL_ERROR "No instructions page in the per-user data folder (${ended}):\n${output}")
endif()
file(READ ${copy} copied)
file(READ ${prefix}/${DATADIR}/lotwise/instructions.htm original)
if(NOT copied STREQUAL original)
  message(FATAL_ERROR "The per-user instructions page is not the installed one.")
endif()

if(SEARCH_PROGRAM)
  unset(ENV{QT_QPA_PLATFORM})
  execute_process(COMMAND ${prefix}/${BINDIR}/${SEARCH_PROGRAM} --help TIMEOUT 30
                  RESULT_VARIABLE answered OUTPUT_VARIABLE help ERROR_VARIABLE output)
  if(NOT answered EQUAL 0 OR NOT help MATCHES "^Runs one of Lotwise's searches")
    message(FATAL_ERROR "The installed ${SEARCH_PROGRAM} --help (${answered}):\n${help}${output}")
  endif()
endif()
