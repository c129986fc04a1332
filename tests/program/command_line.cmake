# Runs PROGRAM with ARGUMENTS (words separated by spaces) as on a machine without a
# display, with ENVIRONMENT (NAME=VALUE words separated by spaces) set, and checks its
# exit code (EXIT_CODE) and what it printed: STDOUT and STDERR are regular expressions that
# its standard output and error, trailing newlines stripped, must match; a missing one
# means that stream must stay empty.
foreach(variable DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM)
  unset(ENV{${variable}})
endforeach()
separate_arguments(settings UNIX_COMMAND "${ENVIRONMENT}")
foreach(setting IN LISTS settings)
  string(REGEX MATCH "^([^=]+)=(.*)$" ignored "${setting}")
  set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
endforeach()
separate_arguments(arguments UNIX_COMMAND "${ARGUMENTS}")
execute_process(COMMAND ${PROGRAM} ${arguments} RESULT_VARIABLE code OUTPUT_VARIABLE stdout
                ERROR_VARIABLE stderr TIMEOUT 60)
string(STRIP "${stdout}" stdout)
string(STRIP "${stderr}" stderr)
set(problems "")
if(NOT code STREQUAL "${EXIT_CODE}")
  string(APPEND problems "exit code ${code}, expected ${EXIT_CODE}\n")
endif()
foreach(stream stdout stderr)
  string(TOUPPER ${stream} expected)
  if(NOT DEFINED ${expected})
    set(${expected} "^$")
  endif()
  if(NOT "${${stream}}" MATCHES "${${expected}}")
    string(APPEND problems "${stream} does not match \"${${expected}}\"\n")
  endif()
endforeach()
if(problems)
  get_filename_component(program ${PROGRAM} NAME)
  message(FATAL_ERROR "${program} ${ARGUMENTS}:\n${problems}standard output:\n${stdout}\n"
                      "standard error:\n${stderr}")
endif()
