# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix thread model), running
# the programs it makes (tests, and test discovery during the build) under Wine:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Packages: g++-mingw-w64-x86-64-posix wine wine64. scripts/test-windows.sh installs
# them, prepares Wine and runs the tests.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LOTWISE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LOTWISE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LOTWISE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LOTWISE_MINGW_TRIPLE}-windres)

# Headers, libraries and packages come from the MinGW tree only, never from the host
# (find_package(GTest) would otherwise find the host's libraries); programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${LOTWISE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program is self-contained: libstdc++, libgcc and winpthread are linked in.
# Without their DLLs beside it a program ends under Wine before main, printing nothing.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Programs run under Wine, with:
# - /usr/bin/wine, which on Debian 12 starts the 64-bit loader when the 32-bit one is
#   absent (there is no wine64 command);
# - a prefix of their own inside the build folder, created on first start (5-10 s);
# - no messages of Wine's own (WINEDEBUG=-all also silences the hint about wine32);
# - no .NET or HTML engine offered for download, and no menu entries written to $HOME;
# - no debugger on a crash: Wine's would print a backtrace and end the program with
#   status 0, so a crashing test would pass. Without it the status is non-zero.
# Console programs need no display.
find_program(LOTWISE_WINE NAMES wine wine-stable)
find_program(LOTWISE_ENV NAMES env)
if(LOTWISE_WINE AND LOTWISE_ENV)
  set(LOTWISE_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
      "Wine prefix the Windows programs of this build run in")
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${LOTWISE_ENV} WINEPREFIX=${LOTWISE_WINEPREFIX} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml,winedbg.exe,winemenubuilder.exe= ${LOTWISE_WINE})
else()
  message(WARNING "Wine was not found (Debian: wine wine64): the Windows programs build "
                  "but cannot be run here, and their tests are not found.")
endif()
