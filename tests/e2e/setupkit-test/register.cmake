# `setupkit test` as an author runs it: the sample installed by the autopilot and removed, a
# scenario that fails on purpose, a scenario it cannot read. It makes its own prefixes and
# displays in its work folder, so it runs beside the Wine lanes; registered before the other
# Wine tests, it starts first, as it takes longest.
if(SETUPKIT_TOOL)
    setupkit_add_test(NAME e2e_setupkit_test
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/setupkit-test.sh
                "${SETUPKIT_TOOL}" "${SETUPKIT_TESTED_SETUP_DIR}/dist/SETUP.EXE"
                "$<TARGET_FILE:e2e_driver>" "${CMAKE_SOURCE_DIR}/examples/sample"
                "${CMAKE_BINARY_DIR}/tests/e2e/setupkit-test"
        LABELS e2e TIMEOUT 600 OWN_PREFIX)
endif()
