# The sample GIFT file through the command a teacher runs: two test folders that the build's
# checker accepts, a note for the skipped question, and no overwriting without --force.
# cmake -DGIFT2KAZ=… -DKAZCHECK=… -DGIFT=… -DWORK_DIR=… [-DRUN=EMULATOR] -P gift2kaz_sample.cmake
# RUN: what runs the programs of a cross build (Wine), its words joined by "|".
cmake_policy(SET CMP0007 NEW)
string(REPLACE "|" ";" RUN "${RUN}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

execute_process(COMMAND ${RUN} "${GIFT2KAZ}" --output "${WORK_DIR}" --address https://school.example "${GIFT}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE folders ERROR_VARIABLE notes)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gift2kaz failed (${rc}): ${notes}")
endif()
if(NOT notes MATCHES ":18: note: skipped the multiple-choice question")
    message(FATAL_ERROR "no note for the multiple-choice question on line 18: ${notes}")
endif()
string(REPLACE "\n" ";" folders "${folders}")
list(REMOVE_ITEM folders "")
if(NOT folders STREQUAL "${WORK_DIR}/stari-nazvaniya-na-gradove;${WORK_DIR}/avtori-i-tvorbi")
    message(FATAL_ERROR "unexpected folders: ${folders}")
endif()
foreach(folder IN LISTS folders)
    execute_process(COMMAND ${RUN} "${KAZCHECK}" "${folder}" RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE problems)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "the checker rejects ${folder} (${rc}): ${problems}${said}")
    endif()
    file(READ "${folder}/test.kaz" text)
    if(NOT text MATCHES "\n\\[parameters\\]\nhttps://school.example ")
        message(FATAL_ERROR "${folder}/test.kaz has not the caption's address")
    endif()
endforeach()

execute_process(COMMAND ${RUN} "${GIFT2KAZ}" --output "${WORK_DIR}" "${GIFT}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "already exists; use --force")
    message(FATAL_ERROR "a second run overwrote or said nothing (${rc}): ${err}")
endif()
execute_process(COMMAND ${RUN} "${GIFT2KAZ}" --force --output "${WORK_DIR}" "${GIFT}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "--force did not replace the tests (${rc}): ${err}")
endif()

# An output folder that is not there yet is made.
execute_process(COMMAND ${RUN} "${GIFT2KAZ}" --output "${WORK_DIR}/new/tests" "${GIFT}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK_DIR}/new/tests/avtori-i-tvorbi/test.kaz")
    message(FATAL_ERROR "a new output folder was not made (${rc}): ${err}")
endif()
