# Cross toolchain: 64-bit builds of the Win32 programs, for hosts that cannot run 32-bit code.
set(SETUPKIT_MINGW_CPU x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
