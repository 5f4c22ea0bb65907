# The native configuration builds the Win32 and the fuzz configurations as sub-builds. A
# sub-build lists its tests in exported-tests.cmake, which the native ctest includes, so one
# ctest run covers every layer.

set(SETUPKIT_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-run.sh")
cmake_path(NORMAL_PATH SETUPKIT_WINE_RUN)
set(SETUPKIT_WINE_STOP "${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-stop.sh")
cmake_path(NORMAL_PATH SETUPKIT_WINE_STOP)
if(WIN32)
    set(SETUPKIT_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
        "The Wine prefix the tests run in (made on first use)")
    set(SETUPKIT_WINE_LANES 2 CACHE STRING
        "How many Wine prefixes, each with its own display, the Wine tests are spread over")
endif()

# The prefix of a lane: lane 0 is SETUPKIT_WINEPREFIX itself, lane n its sibling "-n".
function(setupkit_wine_lane_prefix lane out)
    if(lane EQUAL 0)
        set(${out} "${SETUPKIT_WINEPREFIX}" PARENT_SCOPE)
    else()
        set(${out} "${SETUPKIT_WINEPREFIX}-${lane}" PARENT_SCOPE)
    endif()
endfunction()

# setupkit_add_test(NAME name COMMAND target-or-program args...
#                   [TIMEOUT seconds] [WORKING_DIRECTORY dir] [LABELS ...] [WINE_LANE n]
#                   [OWN_PREFIX])
# In the Win32 configuration a COMMAND that names a target runs under Wine through the
# wrapper; any other command (a script of the end-to-end tests) runs as it is. Wine tests run
# in lanes: each lane has a prefix and a display of its own, and the tests of one lane never
# run at the same time (they share the prefix's registry, drives, desktop and screen), while
# the lanes run side by side. A test goes to the lane given, else to the next lane in turn.
# After the last Wine test, wine_stop ends every lane's wineserver and display. A test that
# makes and ends its own prefixes and displays (OWN_PREFIX) needs no lane and starts first,
# beside the lanes, as it runs long.
function(setupkit_add_test)
    cmake_parse_arguments(ARG "OWN_PREFIX" "NAME;TIMEOUT;WORKING_DIRECTORY;WINE_LANE;SKIP_RETURN_CODE"
                          "COMMAND;LABELS"
                          ${ARGN})
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
    if(ARG_SKIP_RETURN_CODE)
        list(APPEND properties SKIP_RETURN_CODE ${ARG_SKIP_RETURN_CODE})
    endif()
    if(ARG_OWN_PREFIX)
        list(APPEND properties COST 1000)
    elseif(WIN32)
        if("${ARG_WINE_LANE}" STREQUAL "")
            get_property(turn GLOBAL PROPERTY SETUPKIT_WINE_TURN)
            if(NOT turn)
                set(turn 0)
            endif()
            math(EXPR ARG_WINE_LANE "${turn} % ${SETUPKIT_WINE_LANES}")
            math(EXPR turn "${turn} + 1")
            set_property(GLOBAL PROPERTY SETUPKIT_WINE_TURN ${turn})
        endif()
        math(EXPR ARG_WINE_LANE "${ARG_WINE_LANE} % ${SETUPKIT_WINE_LANES}")
        setupkit_wine_lane_prefix(${ARG_WINE_LANE} prefix)
        set(lock wine)
        if(NOT ARG_WINE_LANE EQUAL 0)
            set(lock wine-${ARG_WINE_LANE})
        endif()
        list(APPEND properties RESOURCE_LOCK ${lock} ENVIRONMENT "WINEPREFIX=${prefix}"
             FIXTURES_REQUIRED wine)
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
    if(WIN32)
        # Runs after every test that needs Wine, also when only some of them were chosen.
        set(stop "add_test([==[wine_stop]==] [==[bash]==] [==[${SETUPKIT_WINE_STOP}]==]")
        math(EXPR last "${SETUPKIT_WINE_LANES} - 1")
        foreach(lane RANGE 0 ${last})
            setupkit_wine_lane_prefix(${lane} prefix)
            string(APPEND stop " [==[${prefix}]==]")
        endforeach()
        string(APPEND stop ")\nset_tests_properties([==[wine_stop]==] PROPERTIES"
               " FIXTURES_CLEANUP [==[wine]==] TIMEOUT [==[60]==])\n")
        string(APPEND lines "${stop}")
        set(prefixes "")
        foreach(lane RANGE 0 ${last})
            setupkit_wine_lane_prefix(${lane} prefix)
            list(APPEND prefixes "${prefix}")
        endforeach()
        add_test(NAME wine_stop COMMAND bash "${SETUPKIT_WINE_STOP}" ${prefixes})
        set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
    endif()
    file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/exported-tests.cmake" CONTENT "${lines}")
endfunction()

# setupkit_add_sub_build(name cmake-arguments... [TARGETS target...])
# Adds a configuration of this source tree as a sub-build and includes its tests. With TARGETS
# the sub-build builds only those targets (and what they need) instead of all of its own.
function(setupkit_add_sub_build name)
    cmake_parse_arguments(ARG "" "" "TARGETS" ${ARGN})
    include(ExternalProject)
    set(binary_dir "${CMAKE_BINARY_DIR}/${name}")
    set(build_command "")
    if(ARG_TARGETS)
        set(build_command BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target
                          ${ARG_TARGETS})
    endif()
    ExternalProject_Add(${name}
        SOURCE_DIR "${CMAKE_SOURCE_DIR}"
        BINARY_DIR "${binary_dir}"
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} ${ARG_UNPARSED_ARGUMENTS}
        ${build_command}
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
