# Cross toolchain: 32-bit Windows programs with the mingw-w64 i686 compiler.
set(SETUPKIT_MINGW_CPU i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
