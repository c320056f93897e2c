# Where the systems differ: a platform difference lives in one place per system (a file of its
# own, such as content/FileAccess_unix.cpp and _win.cpp, chosen by the build), not in
# conditionals scattered through the code. This counts the lines of the product's code (every
# folder but tests/) that test the system built for, and fails above `most`, naming each, so
# that a new one is a choice: make room for it, or move it into a system's own file.
# cmake -DSOURCE_DIR=… -P platforms.cmake
set(most 12)
set(folders content lists translations desktop packed appearance testwindow editor quizui editorui quizweb buildtools programs
            bench fuzz)
set(pattern "Q_OS_[A-Z]|_WIN32|_WIN64|__linux|__unix|__APPLE__|__EMSCRIPTEN__|__MINGW")

set(count 0)
set(found "")
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    list(SORT sources)
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" lines REGEX "${pattern}")
        list(LENGTH lines n)
        if(n GREATER 0)
            math(EXPR count "${count} + ${n}")
            file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
            string(APPEND found "\n  ${name}: ${n}")
        endif()
    endforeach()
endforeach()

if(count GREATER most)
    message(FATAL_ERROR "${count} lines of the code ask which system it is built for, more than ${most}:${found}\n"
                        "Put what differs into a file of each system's own, chosen in the folder's CMakeLists.txt.")
endif()
message(STATUS "${count} lines ask which system it is built for (at most ${most}):${found}")
