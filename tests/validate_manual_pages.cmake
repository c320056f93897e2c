# cmake -DPAGE_DIRS=a|b -P validate_manual_pages.cmake
# Formats every manual page (*.1, *.1.gz) found in or below PAGE_DIRS the way lintian does
# (man --warnings, UTF-8, for a terminal) and checks that the NAME line can be read into
# the whatis index (lexgrog). Any warning fails. Prints "KAZ-SKIP" (the test is then
# skipped) when man is not installed.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" PAGE_DIRS "${PAGE_DIRS}")
find_program(MAN man)
find_program(LEXGROG lexgrog)
if(NOT MAN)
    message("KAZ-SKIP: man (man-db) is not installed")
    return()
endif()

set(pages "")
foreach(dir IN LISTS PAGE_DIRS)
    file(GLOB_RECURSE found "${dir}/*.1" "${dir}/*.1.gz")
    list(APPEND pages ${found})
endforeach()
if(NOT pages)
    message(FATAL_ERROR "no manual pages under ${PAGE_DIRS}")
endif()

set(failed FALSE)
foreach(page IN LISTS pages)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80
                            "${MAN}" --warnings -E UTF-8 -l -Tutf8 -Z "${page}"
        RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE warnings)
    if(NOT rc EQUAL 0 OR NOT warnings STREQUAL "")
        message("${page}: man reports (${rc}):\n${warnings}")
        set(failed TRUE)
    endif()
    if(LEXGROG)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 "${LEXGROG}" "${page}"
            RESULT_VARIABLE rc OUTPUT_VARIABLE whatis ERROR_VARIABLE whatis)
        string(STRIP "${whatis}" whatis)
        message("${whatis}")
        if(NOT rc EQUAL 0 OR NOT whatis MATCHES ": \"[^\"]+ - [^\"]+\"$")
            message("${page}: the NAME section cannot be read as \"name \\- what it is\"")
            set(failed TRUE)
        endif()
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "a manual page has faults")
endif()
