# The checks that only a Windows build has: the DLL images, read from the files without
# running them, and the set-up of the emulator that runs the test programs.

# dorvane_emulated_test(test): prepares a test that runs a Windows program under
# CMAKE_CROSSCOMPILING_EMULATOR. Under Wine the tests share a prefix of their own in the
# build folder, made once before the first of them, and its server is stopped after the
# last.
function(dorvane_emulated_test test)
    if(DORVANE_WINE_ENVIRONMENT)
        set_tests_properties(${test} PROPERTIES
            ENVIRONMENT "${DORVANE_WINE_ENVIRONMENT}"
            FIXTURES_REQUIRED wine)
    endif()
endfunction()

if(CMAKE_CROSSCOMPILING_EMULATOR MATCHES "wine")
    set(DORVANE_WINE_ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix" "WINEDEBUG=-all")
    list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 wine)
    get_filename_component(wineDirectory ${wine} DIRECTORY)
    find_program(DORVANE_WINESERVER wineserver HINTS ${wineDirectory} REQUIRED)

    add_test(NAME wine_prefix_ready COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
    add_test(NAME wine_server_stopped COMMAND ${DORVANE_WINESERVER} -k)
    set_tests_properties(wine_prefix_ready PROPERTIES
        ENVIRONMENT "${DORVANE_WINE_ENVIRONMENT}" FIXTURES_SETUP wine TIMEOUT 300)
    set_tests_properties(wine_server_stopped PROPERTIES
        ENVIRONMENT "${DORVANE_WINE_ENVIRONMENT}" FIXTURES_CLEANUP wine)
endif()
