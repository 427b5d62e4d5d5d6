# Installs the build into a fresh prefix and has a host that knows nothing but that
# prefix resolve the stale reference of the trace:
#   <work>/old/data/table.dat beside the parent <work>/proj/index.lst
# must become <work>/proj/table.dat.3.
# CONSUMER names the host:
#   cmake       examples/host built through find_package(Dorvane) with CMAKE_PREFIX_PATH,
#               and the installed dorvane-resolve;
#   pkg-config  examples/host/main.cpp compiled with the flags of
#               pkg-config --cflags --libs dorvane (PKG_CONFIG, CXX: the tools).
# Both hosts are compiled with CXX_FLAGS, the build's own, so that a build with
# sanitizers gets hosts that can load its libraries.
# Other variables: BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR, VERSION.
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${out}\n${err}")
    endif()
endfunction()

set(request "${WORK_DIR}/old/data/table.dat")
set(parent "${WORK_DIR}/proj/index.lst")

# expect_trace(command...): the command, given the trace's request and parent, prints
# the newest version beside the parent.
function(expect_trace)
    execute_process(
        COMMAND ${ARGN}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT result EQUAL 0 OR NOT out STREQUAL "${WORK_DIR}/proj/table.dat.3")
        message(FATAL_ERROR "${ARGN} resolved to '${out}' (exit ${result}, ${err}), "
                            "expected '${WORK_DIR}/proj/table.dat.3'")
    endif()
    list(JOIN ARGN " " command)
    message(STATUS "${command}\n   resolved the trace to ${out}")
endfunction()

if(CONSUMER STREQUAL "pkg-config" AND NOT PKG_CONFIG)
    message("SKIPPED: pkg-config is not installed")
    return()
endif()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
foreach(file proj/index.lst proj/table.dat.1 proj/table.dat.3 proj/other.dat)
    file(WRITE "${WORK_DIR}/${file}" "${file}\n")
endforeach()

if(CONSUMER STREQUAL "cmake")
    run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/examples/host" -B "${WORK_DIR}/host"
        -G "${GENERATOR}" "-DCMAKE_PREFIX_PATH=${prefix}" "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}")
    run(${CMAKE_COMMAND} --build "${WORK_DIR}/host")
    expect_trace("${WORK_DIR}/host/resolve-one" "${request}" "${parent}")
    # The program finds the installed libraries from its own place in the prefix.
    file(GLOB program "${prefix}/bin/dorvane-resolve*")
    expect_trace(${program} --parent "${parent}" "${request}")
elseif(CONSUMER STREQUAL "pkg-config")
    file(GLOB_RECURSE pc_files "${prefix}/*/dorvane.pc")
    get_filename_component(pc_dir "${pc_files}" DIRECTORY)
    set(ENV{PKG_CONFIG_PATH} "${pc_dir}")
    run(${PKG_CONFIG} --exists --print-errors "dorvane = ${VERSION}")
    execute_process(COMMAND ${PKG_CONFIG} --cflags --libs dorvane
        RESULT_VARIABLE result OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "pkg-config --cflags --libs dorvane failed (${result})")
    endif()
    message(STATUS "pkg-config --cflags --libs dorvane: ${flags}")
    separate_arguments(flags UNIX_COMMAND "${flags}")
    separate_arguments(build_flags UNIX_COMMAND "${CXX_FLAGS}")
    run(${CXX} ${build_flags} "${SOURCE_DIR}/examples/host/main.cpp" ${flags}
        -o "${WORK_DIR}/resolve-one")
    # No run path in the flags, as usual: the loader is told where the prefix is.
    expect_trace(${CMAKE_COMMAND} -E env "LD_LIBRARY_PATH=${pc_dir}/.."
        "${WORK_DIR}/resolve-one" "${request}" "${parent}")
else()
    message(FATAL_ERROR "CONSUMER is '${CONSUMER}', not cmake or pkg-config")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
