# Installs the two libraries with a CMake package and pkg-config files: a host needs only
#   find_package(Dorvane CONFIG REQUIRED)
#   target_link_libraries(host PRIVATE Dorvane::Dorvane)
include(CMakePackageConfigHelpers)

install(TARGETS VeskUtility Dorvane
    EXPORT DorvaneTargets
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(DORVANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Dorvane)
install(EXPORT DorvaneTargets
    NAMESPACE Dorvane::
    DESTINATION ${DORVANE_CMAKE_DIR})

configure_package_config_file(
    ${PROJECT_SOURCE_DIR}/cmake/DorvaneConfig.cmake.in
    ${PROJECT_BINARY_DIR}/DorvaneConfig.cmake
    INSTALL_DESTINATION ${DORVANE_CMAKE_DIR})
write_basic_package_version_file(
    ${PROJECT_BINARY_DIR}/DorvaneConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/DorvaneConfig.cmake
    ${PROJECT_BINARY_DIR}/DorvaneConfigVersion.cmake
    DESTINATION ${DORVANE_CMAKE_DIR})

# The same for pkg-config: dorvane.pc, which requires veskutility.pc. The prefix is
# taken from where the files lie, so that they hold wherever the tree is installed
# (cmake --install --prefix chooses only then).
set(DORVANE_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE "${DORVANE_PKGCONFIG_DIR}")
    set(DORVANE_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
    set(DORVANE_PC_LIBDIR "${CMAKE_INSTALL_FULL_LIBDIR}")
    set(DORVANE_PC_INCLUDEDIR "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
else()
    file(RELATIVE_PATH DORVANE_PC_UP "/prefix/${DORVANE_PKGCONFIG_DIR}" "/prefix")
    string(REGEX REPLACE "/$" "" DORVANE_PC_UP "${DORVANE_PC_UP}")
    set(DORVANE_PC_PREFIX "\${pcfiledir}/${DORVANE_PC_UP}")
    set(DORVANE_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
    set(DORVANE_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
foreach(module dorvane veskutility)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/${module}.pc.in
        ${PROJECT_BINARY_DIR}/${module}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/${module}.pc DESTINATION ${DORVANE_PKGCONFIG_DIR})
endforeach()
