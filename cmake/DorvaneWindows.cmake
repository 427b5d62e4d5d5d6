# What a Windows build adds: every DLL and program in one folder, where a program finds
# the DLLs it needs at run time, and a version block in each DLL.
if(WIN32)
    enable_language(RC)
    if(PROJECT_IS_TOP_LEVEL AND NOT CMAKE_RUNTIME_OUTPUT_DIRECTORY)
        set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
    endif()
endif()

# The four numbers of the version block: the project's version, filled up with zeros.
string(REPLACE "." ";" versionNumbers ${PROJECT_VERSION})
list(LENGTH versionNumbers versionCount)
while(versionCount LESS 4)
    list(APPEND versionNumbers 0)
    math(EXPR versionCount "${versionCount} + 1")
endwhile()
list(JOIN versionNumbers "." DORVANE_VERSION_QUAD)

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
