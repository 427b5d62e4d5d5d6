# Reads a DLL's image without running it and checks what a Windows host relies on:
#   - it imports every DLL of IMPORTS and none of the MinGW runtime DLLs, which are
#     linked in statically;
#   - it exports every member listed in MEMBERS_FILE (one demangled signature a line);
#   - its version block reads VERSION in the fixed file and product versions and in
#     the strings FileVersion and ProductVersion.
# Variables: DLL, OBJDUMP, CXXFILT, VERSION; IMPORTS (names separated by commas) and
# MEMBERS_FILE may be empty.
cmake_minimum_required(VERSION 3.20)
set(problems "")

execute_process(COMMAND ${OBJDUMP} -p ${DLL}
    RESULT_VARIABLE result OUTPUT_VARIABLE headers ERROR_VARIABLE error)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed (${result}): ${error}")
endif()

# Imports.
string(REGEX MATCHALL "DLL Name: [^\n]+" importLines "${headers}")
set(imported "")
foreach(line IN LISTS importLines)
    string(REGEX REPLACE "^DLL Name: " "" name "${line}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" name)
    list(APPEND imported ${name})
endforeach()
string(REPLACE "," ";" required "${IMPORTS}")
foreach(name IN LISTS required)
    string(TOLOWER "${name}" lower)
    if(NOT lower IN_LIST imported)
        string(APPEND problems "  does not import ${name}\n")
    endif()
endforeach()
foreach(name IN LISTS imported)
    if(name MATCHES "^(libstdc\\+\\+|libgcc_s|libwinpthread)")
        string(APPEND problems "  imports the runtime DLL ${name}, which should be linked in\n")
    endif()
endforeach()

# Exports, demangled.
if(MEMBERS_FILE)
    string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${headers}")
    # The names alone, one a line, without the heading and the "[  n] " before each: a
    # bracket would confuse CMake's lists.
    string(FIND "${table}" "\n" headingEnd)
    math(EXPR namesStart "${headingEnd} + 1")
    string(SUBSTRING "${table}" ${namesStart} -1 table)
    string(REGEX REPLACE "[ \t]*\\[ *[0-9]+\\] " "" table "${table}")
    string(STRIP "${table}" table)
    string(REPLACE "\n" ";" mangled "${table}")
    # -n: export names carry no leading underscore to strip, on 32-bit Windows neither.
    execute_process(COMMAND ${CXXFILT} -n ${mangled}
        RESULT_VARIABLE result OUTPUT_VARIABLE demangled ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${CXXFILT} failed (${result}): ${error}")
    endif()
    string(REPLACE "\n" ";" exported "${demangled}")
    file(STRINGS ${MEMBERS_FILE} members REGEX "^[^#]")
    foreach(member IN LISTS members)
        if(NOT member IN_LIST exported)
            string(APPEND problems "  does not export ${member}\n")
        endif()
    endforeach()
endif()

# The version block: VS_VERSION_INFO, then the fixed part, whose signature is
# 0xFEEF04BD; the numbers are little-endian 32-bit words, each two 16-bit halves.
function(utf16_hex text out)
    string(HEX "${text}" hex)
    string(REGEX REPLACE "(..)" "\\100" hex "${hex}")  # ASCII only
    set(${out} ${hex} PARENT_SCOPE)
endfunction()

function(four_numbers hex out)
    # hex holds two words, most significant first, each as its bytes on disk.
    set(numbers "")
    foreach(start 0 8)
        string(SUBSTRING "${hex}" ${start} 8 word)
        string(SUBSTRING "${word}" 0 2 b0)
        string(SUBSTRING "${word}" 2 2 b1)
        string(SUBSTRING "${word}" 4 2 b2)
        string(SUBSTRING "${word}" 6 2 b3)
        math(EXPR high "0x${b3}${b2}")
        math(EXPR low "0x${b1}${b0}")
        list(APPEND numbers ${high} ${low})
    endforeach()
    string(JOIN "." text ${numbers})
    set(${out} ${text} PARENT_SCOPE)
endfunction()

file(READ ${DLL} image HEX)
utf16_hex("VS_VERSION_INFO" key)
string(FIND "${image}" "${key}0000" at)
math(EXPR odd "${at} % 2")
if(at LESS 0 OR odd)
    string(APPEND problems "  has no version block\n")
else()
    string(SUBSTRING "${image}" ${at} 2000 block)
    string(FIND "${block}" "bd04effe" signature)
    if(signature LESS 0)
        string(APPEND problems "  has no fixed version information\n")
    else()
        math(EXPR fileAt "${signature} + 16")
        math(EXPR productAt "${signature} + 32")
        string(SUBSTRING "${block}" ${fileAt} 16 fileHex)
        string(SUBSTRING "${block}" ${productAt} 16 productHex)
        four_numbers(${fileHex} fileVersion)
        four_numbers(${productHex} productVersion)
        if(NOT fileVersion STREQUAL VERSION)
            string(APPEND problems "  has FILEVERSION ${fileVersion}, not ${VERSION}\n")
        endif()
        if(NOT productVersion STREQUAL VERSION)
            string(APPEND problems "  has PRODUCTVERSION ${productVersion}, not ${VERSION}\n")
        endif()
    endif()
    # Each string value follows its key's terminator, after at most one 16-bit pad.
    utf16_hex("${VERSION}" value)
    foreach(name FileVersion ProductVersion)
        utf16_hex(${name} nameHex)
        if(NOT block MATCHES "${nameHex}0000(0000)?${value}0000")
            string(APPEND problems "  has no string ${name} reading ${VERSION}\n")
        endif()
    endforeach()
endif()

if(problems)
    message(FATAL_ERROR "${DLL}\n${problems}")
endif()
list(JOIN imported ", " importList)
message(STATUS "${DLL}: imports ${importList}; version ${VERSION}")
