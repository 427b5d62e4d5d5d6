# Installs the build into a fresh prefix, builds examples/host against it with nothing
# but CMAKE_PREFIX_PATH, and has it resolve the stale reference of the trace:
#   <work>/old/data/table.dat beside the parent <work>/proj/index.lst
# must become <work>/proj/table.dat.3.
# Variables: BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR.
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${out}\n${err}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/examples/host" -B "${WORK_DIR}/host" -G "${GENERATOR}"
    "-DCMAKE_PREFIX_PATH=${prefix}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/host")

foreach(file proj/index.lst proj/table.dat.1 proj/table.dat.3 proj/other.dat)
    file(WRITE "${WORK_DIR}/${file}" "${file}\n")
endforeach()
execute_process(
    COMMAND "${WORK_DIR}/host/resolve-one" "${WORK_DIR}/old/data/table.dat"
            "${WORK_DIR}/proj/index.lst"
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err
    OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0 OR NOT out STREQUAL "${WORK_DIR}/proj/table.dat.3")
    message(FATAL_ERROR "the host resolved to '${out}' (exit ${result}, ${err}), "
                        "expected '${WORK_DIR}/proj/table.dat.3'")
endif()
message(STATUS "host resolved the trace to ${out}")
file(REMOVE_RECURSE "${WORK_DIR}")
