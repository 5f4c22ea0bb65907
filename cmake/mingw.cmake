# Cross toolchain for the Win32 programs with the mingw-w64 compiler for SETUPKIT_MINGW_CPU
# (set by the including file: i686 or x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${SETUPKIT_MINGW_CPU})
# The thread model of the compiler (SETUPKIT_MINGW_THREADS): posix for the tests, whose test
# framework and second threads need the C++ thread classes; win32 for the programs that ship,
# whose runtime then needs no threads library (which adds some 30 KB to each program).
if(NOT SETUPKIT_MINGW_THREADS)
    set(SETUPKIT_MINGW_THREADS posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SETUPKIT_MINGW_THREADS)
set(CMAKE_C_COMPILER ${SETUPKIT_MINGW_CPU}-w64-mingw32-gcc-${SETUPKIT_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${SETUPKIT_MINGW_CPU}-w64-mingw32-g++-${SETUPKIT_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${SETUPKIT_MINGW_CPU}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SETUPKIT_MINGW_CPU}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The runtime is linked in, so the programs need only system DLLs. Each function and datum in
# a section of its own, and the linker drops those nothing refers to. That trims data more than
# code: the linker keeps every function that an entry of the unwind tables describes, so the
# programs' own code is trimmed by link-time optimisation instead (src/CMakeLists.txt).
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-run.sh")
