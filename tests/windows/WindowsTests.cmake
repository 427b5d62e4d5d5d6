# The checks that only a Windows build has: the DLL images, read from the files without
# running them, and the set-up of the emulator that runs the test programs.

# dorvane_emulated_test(test): prepares a test that runs a Windows program under
# CMAKE_CROSSCOMPILING_EMULATOR. Under Wine the tests share a prefix of their own in the
# build folder, made once before the first of them; the server is gone after the last.
function(dorvane_emulated_test test)
    if(DORVANE_WINE_ENVIRONMENT)
        set_tests_properties(${test} PROPERTIES
            ENVIRONMENT "${DORVANE_WINE_ENVIRONMENT}"
            FIXTURES_REQUIRED wine)
    endif()
endfunction()

if(CMAKE_CROSSCOMPILING_EMULATOR MATCHES "wine")
    # A tree with link cycles, laid out natively, and its name under Wine, whose drive Z:
    # is the root of the file system.
    set(linkedTree ${CMAKE_BINARY_DIR}/linked-tree)
    string(REPLACE "/" "\\" linkedTreeOnZ "Z:${linkedTree}")
    set(DORVANE_WINE_ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix" "WINEDEBUG=-all"
        "DORVANE_LINKED_TREE=${linkedTreeOnZ}")
    list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 wine)
    get_filename_component(wineDirectory ${wine} DIRECTORY)
    find_program(DORVANE_WINESERVER wineserver HINTS ${wineDirectory} REQUIRED)

    add_test(NAME wine_prefix_ready COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
    set_tests_properties(wine_prefix_ready PROPERTIES
        ENVIRONMENT "${DORVANE_WINE_ENVIRONMENT}" FIXTURES_SETUP wine TIMEOUT 300)
    add_test(NAME linked_tree_ready
        COMMAND ${CMAKE_COMMAND} -DROOT=${linkedTree}
            -P ${CMAKE_CURRENT_LIST_DIR}/MakeLinkedTree.cmake)
    set_tests_properties(linked_tree_ready PROPERTIES FIXTURES_SETUP wine)
    # Waits until the server has gone, which it does a few seconds after the last
    # program, so that the test step leaves nothing running.
    add_test(NAME wine_server_gone COMMAND ${DORVANE_WINESERVER} -w)
    set_tests_properties(wine_server_gone PROPERTIES
        ENVIRONMENT "${DORVANE_WINE_ENVIRONMENT}" FIXTURES_CLEANUP wine TIMEOUT 120)
endif()

# The DLL images, read without running them: so for the 32-bit build too, which this
# machine cannot run.
get_filename_component(objdumpName ${CMAKE_OBJDUMP} NAME)
string(REPLACE "objdump" "c++filt" cxxfiltName ${objdumpName})
find_program(DORVANE_CXXFILT NAMES ${cxxfiltName} c++filt REQUIRED)
foreach(library Dorvane VeskUtility)
    set(imports "")
    set(members "")
    if(library STREQUAL "Dorvane")
        set(imports VeskUtility.dll)
        set(members ${CMAKE_CURRENT_LIST_DIR}/CDorvaneMembers.txt)
    endif()
    add_test(NAME ${library}_dll_image
        COMMAND ${CMAKE_COMMAND}
            -DDLL=$<TARGET_FILE:${library}>
            -DOBJDUMP=${CMAKE_OBJDUMP}
            -DCXXFILT=${DORVANE_CXXFILT}
            -DIMPORTS=${imports}
            -DMEMBERS_FILE=${members}
            -DVERSION=1.0.0.0
            -P ${CMAKE_CURRENT_LIST_DIR}/CheckDllImage.cmake)
endforeach()
