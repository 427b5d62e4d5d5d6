# What a Windows build adds: every DLL and program in one folder, where a program finds
# the DLLs it needs at run time, and a version block in each DLL.
if(WIN32)
    enable_language(RC)
    if(PROJECT_IS_TOP_LEVEL AND NOT CMAKE_RUNTIME_OUTPUT_DIRECTORY)
        set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
    endif()
endif()

# The four numbers of the version block: the project's version, 0 where it has fewer.
set(DORVANE_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
if(NOT "${PROJECT_VERSION_PATCH}" STREQUAL "")
    set(DORVANE_VERSION_QUAD
        ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
endif()
if(NOT "${PROJECT_VERSION_TWEAK}" STREQUAL "")
    set(DORVANE_VERSION_QUAD ${PROJECT_VERSION})
endif()

# dorvane_windows_dll(target description): on Windows, names the library <target>.dll
# (its import library stays lib<target>.dll.a) and gives it a version block with the
# project's version as file and product version. Does nothing elsewhere.
function(dorvane_windows_dll target description)
    if(NOT WIN32)
        return()
    endif()
    set_target_properties(${target} PROPERTIES PREFIX "")
    set(DORVANE_RESOURCE_NAME ${target})
    set(DORVANE_RESOURCE_DESCRIPTION "${description}")
    string(REPLACE "." "," DORVANE_VERSION_COMMAS ${DORVANE_VERSION_QUAD})
    set(resource ${CMAKE_CURRENT_BINARY_DIR}/${target}Version.rc)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/VersionResource.rc.in ${resource} @ONLY)
    target_sources(${target} PRIVATE ${resource})
endfunction()
