# Installs the two libraries with a CMake package: a host needs only
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
