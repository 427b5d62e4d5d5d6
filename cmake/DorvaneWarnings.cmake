# dorvane_set_warnings(target): the project's warning level, as errors when
# DORVANE_WARNINGS_AS_ERRORS is on (CI turns it on).
function(dorvane_set_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${DORVANE_WARNINGS_AS_ERRORS}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
            -Wconversion -Wno-sign-conversion
            $<$<BOOL:${DORVANE_WARNINGS_AS_ERRORS}>:-Werror>)
    endif()
endfunction()
