# The native configuration builds the Win32 and the fuzz configurations as sub-builds. A
# sub-build lists its tests in exported-tests.cmake, which the native ctest includes, so one
# ctest run covers every layer.

set(SETUPKIT_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-run.sh")
cmake_path(NORMAL_PATH SETUPKIT_WINE_RUN)
if(WIN32)
    set(SETUPKIT_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
        "The Wine prefix the tests run in (made on first use)")
endif()

# setupkit_add_test(NAME name COMMAND target-or-program args...
#                   [TIMEOUT seconds] [WORKING_DIRECTORY dir] [LABELS ...])
# In the Win32 configuration a COMMAND that names a target runs under Wine through the
# wrapper; any other command (a script of the end-to-end tests) runs as it is. Wine tests
# share one prefix and display, so they never run at the same time.
function(setupkit_add_test)
    cmake_parse_arguments(ARG "" "NAME;TIMEOUT;WORKING_DIRECTORY" "COMMAND;LABELS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    if(NOT ARG_WORKING_DIRECTORY)
        set(ARG_WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
    endif()
    list(POP_FRONT ARG_COMMAND program)
    if(TARGET ${program})
        set(command "$<TARGET_FILE:${program}>" ${ARG_COMMAND})
        if(WIN32)
            list(PREPEND command "${SETUPKIT_WINE_RUN}")
        endif()
    else()
        set(command "${program}" ${ARG_COMMAND})
    endif()
    set(properties TIMEOUT ${ARG_TIMEOUT})
    if(ARG_LABELS)
        list(APPEND properties LABELS "${ARG_LABELS}")
    endif()
    if(WIN32)
        list(APPEND properties RESOURCE_LOCK wine ENVIRONMENT "WINEPREFIX=${SETUPKIT_WINEPREFIX}")
    endif()

    add_test(NAME ${ARG_NAME} COMMAND ${command} WORKING_DIRECTORY ${ARG_WORKING_DIRECTORY})
    set_tests_properties(${ARG_NAME} PROPERTIES ${properties})

    set(line "add_test([==[${ARG_NAME}]==]")
    foreach(word IN LISTS command)
        string(APPEND line " [==[${word}]==]")
    endforeach()
    string(APPEND line ")\nset_tests_properties([==[${ARG_NAME}]==] PROPERTIES"
           " WORKING_DIRECTORY [==[${ARG_WORKING_DIRECTORY}]==]")
    while(properties)
        list(POP_FRONT properties key value)
        string(APPEND line " ${key} [==[${value}]==]")
    endwhile()
    string(APPEND line ")\n")
    set_property(GLOBAL APPEND_STRING PROPERTY SETUPKIT_EXPORTED_TESTS "${line}")
endfunction()

function(setupkit_write_exported_tests)
    get_property(lines GLOBAL PROPERTY SETUPKIT_EXPORTED_TESTS)
    file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/exported-tests.cmake" CONTENT "${lines}")
endfunction()

# Adds a configuration of this source tree as a sub-build and includes its tests.
function(setupkit_add_sub_build name)
    include(ExternalProject)
    set(binary_dir "${CMAKE_BINARY_DIR}/${name}")
    ExternalProject_Add(${name}
        SOURCE_DIR "${CMAKE_SOURCE_DIR}"
        BINARY_DIR "${binary_dir}"
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} ${ARGN}
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        USES_TERMINAL_BUILD ON
        DEPENDS setupkit)
    set(include_file "${CMAKE_BINARY_DIR}/include-${name}-tests.cmake")
    file(WRITE "${include_file}"
        "if(EXISTS \"${binary_dir}/exported-tests.cmake\")\n"
        "  include(\"${binary_dir}/exported-tests.cmake\")\n"
        "endif()\n")
    set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY TEST_INCLUDE_FILES
                 "${include_file}")
endfunction()
