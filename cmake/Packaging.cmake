# `cmake --install` and `cpack` (a .deb and a .tar.gz): setupkit in bin; SETUP.EXE, KXUN32.EXE,
# the end-to-end driver and the scripts of `setupkit test` in share/setupkit, where setupkit
# finds them; the docs and the
# sample in share/doc/setupkit. The Windows programs are those of the shipped build (dist32).
install(TARGETS setupkit RUNTIME DESTINATION bin)

set(SETUPKIT_PRODUCT_BUILD "${CMAKE_BINARY_DIR}/dist32")
install(FILES
    "${SETUPKIT_PRODUCT_BUILD}/src/shell/dist/SETUP.EXE"
    "${SETUPKIT_PRODUCT_BUILD}/src/uninstall/dist/KXUN32.EXE"
    "${CMAKE_BINARY_DIR}/win32/tests/e2e/driver/e2e_driver.exe"
    DESTINATION share/setupkit OPTIONAL)
# Where the tests' build is an x86-64 one (Wine here runs no 32-bit programs), its programs too,
# so that the installed `setupkit test` runs on such a host; they are not for release.
if(SETUPKIT_WINDOWS_CPU STREQUAL "x86_64")
    install(FILES
        "${CMAKE_BINARY_DIR}/win32/src/shell/dist/SETUP.EXE"
        "${CMAKE_BINARY_DIR}/win32/src/uninstall/dist/KXUN32.EXE"
        DESTINATION share/setupkit/x86-64 OPTIONAL)
endif()
# `setupkit test`: its Wine side and the runner, Wine set-up and snapshots it builds on.
install(PROGRAMS tools/setupkit/testing/product-test.sh DESTINATION share/setupkit/testing)
install(PROGRAMS tests/e2e/run-scenario.sh tests/e2e/check-lib.sh
        DESTINATION share/setupkit/testing/e2e)
install(PROGRAMS tests/e2e/uninstall/removal-lib.sh DESTINATION share/setupkit/testing/e2e/uninstall)
install(DIRECTORY tests/wine/ DESTINATION share/setupkit/testing/wine USE_SOURCE_PERMISSIONS
        FILES_MATCHING PATTERN "*.sh" PATTERN "bin64/*")
install(DIRECTORY docs/ DESTINATION share/doc/setupkit)
install(FILES README.md DESTINATION share/doc/setupkit)
install(DIRECTORY examples/sample examples/ci DESTINATION share/doc/setupkit/examples)

set(CPACK_PACKAGE_NAME setupkit)
set(CPACK_PACKAGE_VENDOR "setupkit")
set(CPACK_PACKAGE_CONTACT "setupkit developers <setupkit@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Data-driven setup program for 32-bit Windows and its authoring tool")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_FILE_NAME "setupkit-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The tool's own libraries, and what runs the installers it makes: Wine on a virtual display.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1, wine, xvfb")
# Signing the installer and its uninstaller (`build --sign-...`, `verify`).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "osslsigncode (>= 2.5)")
include(CPack)

setupkit_add_test(NAME package_install
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/package-test.sh ${CMAKE_BINARY_DIR}
            ${CMAKE_SOURCE_DIR}
    TIMEOUT 300 OWN_PREFIX)
