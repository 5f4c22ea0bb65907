# The Win32 and fuzz configurations, built from the native one.
option(SETUPKIT_WIN32 "Build SETUP.EXE and the Win32 tests with the mingw-w64 cross compiler" ON)
option(SETUPKIT_FUZZ_BUILD "Build the fuzz targets with clang as a sub-build" ON)
# The sample needs only the programs and the end-to-end driver, not the tests.
set(SETUPKIT_WIN32_TARGETS "" CACHE STRING
    "The only targets the Win32 sub-build builds (default: all, the tests too)")
# The Win32 configuration is built for i686, or for x86-64 on a host that cannot run 32-bit
# code, where its tests run in a 64-bit Wine prefix.
execute_process(COMMAND bash "${CMAKE_SOURCE_DIR}/tests/wine/wine-arch.sh"
                OUTPUT_VARIABLE SETUPKIT_WINE_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
if(SETUPKIT_WINE_ARCH STREQUAL "win64")
    set(SETUPKIT_WINDOWS_CPU x86_64)
else()
    set(SETUPKIT_WINDOWS_CPU i686)
endif()
find_program(SETUPKIT_MINGW_CXX ${SETUPKIT_WINDOWS_CPU}-w64-mingw32-g++-posix)
find_program(SETUPKIT_SHIPPED_CXX i686-w64-mingw32-g++-win32)
find_program(SETUPKIT_CLANG_CXX NAMES clang++-14 clang++)
find_program(SETUPKIT_CLANG_C NAMES clang-14 clang)

# The programs that ship (dist32): i686, Win32 thread model, without tests. Where the tests run
# i686 code, their disks get these very programs; the Win32 tests' own build (win32) has the
# POSIX thread model that the test framework needs.
if(SETUPKIT_WIN32 AND SETUPKIT_MINGW_CXX AND SETUPKIT_SHIPPED_CXX)
    setupkit_add_sub_build(dist32
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
        -DSETUPKIT_MINGW_THREADS=win32
        -DSETUPKIT_PRODUCT_ONLY=ON)
    set(shipped "")
    if(SETUPKIT_WINDOWS_CPU STREQUAL "i686")
        set(shipped -DSETUPKIT_SHIPPED_BUILD=${CMAKE_BINARY_DIR}/dist32)
    endif()
    setupkit_add_sub_build(win32
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-${SETUPKIT_WINDOWS_CPU}.cmake
        -DSETUPKIT_TOOL=$<TARGET_FILE:setupkit>
        -DSETUPKIT_NATIVE_BINARY_DIR=${CMAKE_BINARY_DIR}
        ${shipped}
        TARGETS ${SETUPKIT_WIN32_TARGETS})
elseif(SETUPKIT_WIN32)
    message(WARNING "${SETUPKIT_WINDOWS_CPU}-w64-mingw32-g++-posix or i686-w64-mingw32-g++-win32 "
                    "not found: SETUP.EXE and the Wine tests are not built "
                    "(run scripts/bootstrap.sh)")
endif()

if(SETUPKIT_FUZZ_BUILD AND SETUPKIT_CLANG_CXX)
    setupkit_add_sub_build(fuzz
        -DCMAKE_C_COMPILER=${SETUPKIT_CLANG_C}
        -DCMAKE_CXX_COMPILER=${SETUPKIT_CLANG_CXX}
        -DSETUPKIT_FUZZ=ON)
endif()
