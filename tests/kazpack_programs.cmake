# cmake -DKAZPACK=… -DSOURCE_DIR=<project> -DWORK_DIR=<scratch folder> [-DRUN=EMULATOR] [-DSUFFIX=.exe]
#       -P kazpack_programs.cmake
# The real kazpack, with the runner it finds beside itself, on real folders, as a teacher
# types the commands: the shipped tests packed, listed, taken out and packed again to the
# same bytes; only test.kaz and the pictures it names go in; nothing is replaced unasked.
cmake_minimum_required(VERSION 3.25)
# RUN: what runs the programs of a cross build (Wine), its words joined by "|". SUFFIX: the
# ending of a program's name (.exe on Windows), which kazpack's programs keep.
string(REPLACE "|" ";" RUN "${RUN}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# A run under Wine may first wait for the Wine prefix that other suites start at the same time.
if(RUN)
    set(timeout 300)
else()
    set(timeout 60)
endif()

# kazpack(EXPECTED_STATUS ARGS…): runs kazpack in WORK_DIR; its output in `out` and `err`.
function(kazpack expected)
    execute_process(COMMAND ${RUN} "${KAZPACK}" ${ARGN} WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE rc
        OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr TIMEOUT ${timeout})
    if(NOT rc STREQUAL "${expected}")
        message(FATAL_ERROR "kazpack ${ARGN}: status ${rc}, not ${expected}\n${stdout}${stderr}")
    endif()
    # A Windows console program ends its lines with "\r\n".
    string(REPLACE "\r\n" "\n" stdout "${stdout}")
    string(REPLACE "\r\n" "\n" stderr "${stderr}")
    set(out "${stdout}" PARENT_SCOPE)
    set(err "${stderr}" PARENT_SCOPE)
endfunction()

function(expect_in text expected)
    string(FIND "${text}" "${expected}" at)
    if(at LESS 0)
        message(FATAL_ERROR "\"${expected}\" is not in:\n${text}")
    endif()
endfunction()

foreach(name istoriya figuri)
    set(program "kaz-${name}${SUFFIX}")
    kazpack(0 "${SOURCE_DIR}/quizzes/${name}")
    if(NOT out STREQUAL "${program}\n" OR NOT EXISTS "${WORK_DIR}/${program}")
        message(FATAL_ERROR "kazpack ${name} wrote \"${out}\"")
    endif()
    kazpack(0 --list "${program}")
    file(READ "${SOURCE_DIR}/quizzes/${name}/test.kaz" text)
    string(LENGTH "${text}" length)
    expect_in("${out}" "${program}: packed format 1, ")
    string(REGEX MATCH "\n *[0-9]+  test.kaz\n" line "${out}")
    if(NOT line MATCHES "[\n ]${length}  test.kaz")
        message(FATAL_ERROR "--list shows test.kaz as \"${line}\", not ${length} bytes")
    endif()

    kazpack(0 --extract "${program}" "back/${name}")
    kazpack(0 "back/${name}" -o "again-${name}${SUFFIX}")
    file(SHA256 "${WORK_DIR}/${program}" packed)
    file(SHA256 "${WORK_DIR}/again-${name}${SUFFIX}" again)
    if(NOT packed STREQUAL again)
        message(FATAL_ERROR "${program} taken out and packed again differs from itself")
    endif()

    kazpack(1 "${SOURCE_DIR}/quizzes/${name}")
    expect_in("${err}" "${program}: error: the file already exists and is kept; give --force")
    kazpack(1 --extract "${program}" "back/${name}")
    # Paths are shown with the system's own separators.
    if(SUFFIX STREQUAL ".exe")
        expect_in("${err}" "back\\${name}\\test.kaz: error: the file already exists and is kept")
    else()
        expect_in("${err}" "back/${name}/test.kaz: error: the file already exists and is kept")
    endif()
    kazpack(0 --force "${SOURCE_DIR}/quizzes/${name}")
endforeach()

# Files beside test.kaz that it does not name never go in, whatever they are called.
file(MAKE_DIRECTORY "${WORK_DIR}/good/folder.png")
file(COPY "${SOURCE_DIR}/quizzes/figuri/test.kaz" "${SOURCE_DIR}/quizzes/figuri/kwadrat.png"
          "${SOURCE_DIR}/quizzes/figuri/romb.png" "${SOURCE_DIR}/quizzes/figuri/deltoid.png"
          "${SOURCE_DIR}/quizzes/figuri/trapec.png" "${SOURCE_DIR}/quizzes/figuri/okryzhnost.png"
          "${SOURCE_DIR}/quizzes/figuri/prawoygylnik.png" "${SOURCE_DIR}/quizzes/figuri/prawoygylen.png"
          "${SOURCE_DIR}/quizzes/figuri/rawnostranen.png"
     DESTINATION "${WORK_DIR}/good")
foreach(stray a.png B.PNG c.Jpeg d.jpg e.bmp f.gif notes.txt g.tiff "draft \"old.txt" "a;b.png" "a\${X}.png")
    file(WRITE "${WORK_DIR}/good/${stray}" "")
endforeach()
file(CREATE_LINK "nowhere.png" "${WORK_DIR}/good/dangling.png" SYMBOLIC)
kazpack(0 good -o kaz-good${SUFFIX})
kazpack(0 --list kaz-good${SUFFIX})
string(REGEX MATCHALL "  [^\n]+\n" lines "${out}")
list(TRANSFORM lines STRIP)
list(TRANSFORM lines REPLACE "^[0-9]+  " "")
if(NOT lines STREQUAL "test.kaz;kwadrat.png;prawoygylnik.png;romb.png;trapec.png;deltoid.png;rawnostranen.png;prawoygylen.png;okryzhnost.png")
    message(FATAL_ERROR "kaz-good holds: ${lines}")
endif()

# Usage errors end with status 2, problems with 1.
kazpack(2)
expect_in("${err}" "usage: kazpack FOLDER")
kazpack(2 --extract kaz-good)
kazpack(1 --list "${SOURCE_DIR}/quizzes/istoriya/test.kaz")
expect_in("${err}" "nothing is packed into it; it is no test program made by kazpack")
kazpack(0 --help)
expect_in("${out}" "--extract PROGRAM FOLDER")
