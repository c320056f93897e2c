# Which test folders the build accepts, run as a script (which files a program holds is
# kazpack's part, tested by kazpack_programs.cmake):
# cmake -DSOURCE_DIR=<project> -DWORK_DIR=<scratch folder> -P quiz_folders.cmake
set(PROJECT_SOURCE_DIR "${SOURCE_DIR}")
include("${SOURCE_DIR}/cmake/KazQuiz.cmake")

file(REMOVE_RECURSE "${WORK_DIR}")
foreach(folder good "my test" кирил notepad capitals a/same b/same empty)
    file(MAKE_DIRECTORY "${WORK_DIR}/${folder}")
endforeach()
foreach(file good/test.kaz "my test/test.kaz" кирил/test.kaz a/same/test.kaz b/same/test.kaz
             notepad/test.kaz.txt capitals/TEST.KAZ)
    file(WRITE "${WORK_DIR}/${file}" "")
endforeach()

set(failures 0)
# expect(FOLDER EXPECTED_FOLDER EXPECTED_PROBLEM): EXPECTED_PROBLEM is a regular expression,
# empty for a folder that is accepted.
function(expect folder expected_folder expected_problem)
    kaz_quiz_folder("${folder}" got problem)
    if(NOT got STREQUAL expected_folder)
        message(SEND_ERROR "${folder}: resolved to ${got}, not ${expected_folder}")
    endif()
    if(expected_problem STREQUAL "")
        if(NOT problem STREQUAL "")
            message(SEND_ERROR "${folder}: refused: ${problem}")
        endif()
    elseif(NOT problem MATCHES "${expected_problem}")
        message(SEND_ERROR "${folder}: \"${problem}\" does not say \"${expected_problem}\"")
    endif()
endfunction()

expect("quizzes/istoriya" "${SOURCE_DIR}/quizzes/istoriya" "")
expect("quizzes/istoriya/" "${SOURCE_DIR}/quizzes/istoriya" "named twice in KAZ_QUIZZES")
expect("${WORK_DIR}/good/" "${WORK_DIR}/good" "")
file(RELATIVE_PATH relative "${SOURCE_DIR}" "${WORK_DIR}/a/same")
expect("${relative}" "${WORK_DIR}/a/same" "")
expect("${WORK_DIR}/b/same" "${WORK_DIR}/b/same" "and ${WORK_DIR}/a/same have the same name")
expect("${WORK_DIR}/my test" "${WORK_DIR}/my test" "name \"my test\" becomes the program's name")
expect("${WORK_DIR}/кирил" "${WORK_DIR}/кирил" "may hold only Latin letters")
expect("${WORK_DIR}/notepad" "${WORK_DIR}/notepad" "only test.kaz.txt; rename the file to test.kaz")
expect("${WORK_DIR}/capitals" "${WORK_DIR}/capitals" "only TEST.KAZ; rename")
expect("${WORK_DIR}/empty" "${WORK_DIR}/empty" "^there is no test.kaz in this test folder$")
expect("${WORK_DIR}/none" "${WORK_DIR}/none" "there is no such folder .a relative path counts from ${SOURCE_DIR}")
