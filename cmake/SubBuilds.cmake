# The Win32 and fuzz configurations, built from the native one.
option(SETUPKIT_WIN32 "Build SETUP.EXE and the Win32 tests with the mingw-w64 cross compiler" ON)
option(SETUPKIT_FUZZ_BUILD "Build the fuzz targets with clang as a sub-build" ON)
find_program(SETUPKIT_MINGW_CXX i686-w64-mingw32-g++-posix)
find_program(SETUPKIT_CLANG_CXX NAMES clang++-14 clang++)
find_program(SETUPKIT_CLANG_C NAMES clang-14 clang)

if(SETUPKIT_WIN32 AND SETUPKIT_MINGW_CXX)
    setupkit_add_sub_build(win32
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
        -DSETUPKIT_TOOL=$<TARGET_FILE:setupkit>
        -DSETUPKIT_NATIVE_BINARY_DIR=${CMAKE_BINARY_DIR})
elseif(SETUPKIT_WIN32)
    message(WARNING "i686-w64-mingw32-g++-posix not found: SETUP.EXE and the Wine tests are not "
                    "built (run scripts/bootstrap.sh)")
endif()

if(SETUPKIT_FUZZ_BUILD AND SETUPKIT_CLANG_CXX)
    setupkit_add_sub_build(fuzz
        -DCMAKE_C_COMPILER=${SETUPKIT_CLANG_C}
        -DCMAKE_CXX_COMPILER=${SETUPKIT_CLANG_CXX}
        -DSETUPKIT_FUZZ=ON)
endif()
