# kaz_quiz_folder(FOLDER OUT_FOLDER OUT_PROBLEM): the absolute path of a test folder named in
# KAZ_QUIZZES (a relative path counts from the project's folder) and, when the folder cannot
# become a program, why; else an empty text. A folder that can is claimed for its program's
# name, so that a second folder of the same name is refused.
function(kaz_quiz_folder folder out_folder out_problem)
    get_filename_component(folder "${folder}" ABSOLUTE BASE_DIR "${PROJECT_SOURCE_DIR}")
    get_filename_component(name "${folder}" NAME)
    set(${out_folder} "${folder}" PARENT_SCOPE)
    set(problem "")
    if(NOT IS_DIRECTORY "${folder}")
        string(CONCAT problem "KAZ_QUIZZES names this test folder, but there is no such folder (a relative path counts "
                              "from ${PROJECT_SOURCE_DIR})")
    elseif(NOT EXISTS "${folder}/test.kaz")
        # Editors like to add ".txt", and some systems show no file endings.
        file(GLOB near RELATIVE "${folder}" "${folder}/*")
        list(FILTER near INCLUDE REGEX "^[Tt][Ee][Ss][Tt]\\.[Kk][Aa][Zz]")
        if(near)
            list(JOIN near ", " near)
            string(CONCAT problem "there is no test.kaz in this test folder, only ${near}; rename the file to test.kaz "
                                  "exactly (small letters, no .txt at the end)")
        else()
            string(CONCAT problem "there is no test.kaz in this test folder")
        endif()
    elseif(NOT name MATCHES "^[A-Za-z0-9_][A-Za-z0-9_.-]*$")
        string(CONCAT problem "the folder's name \"${name}\" becomes the program's name, kaz-${name}, and a program's "
                              "name may hold only Latin letters, digits, - and _; rename the folder, for example to mytest")
    else()
        get_property(earlier GLOBAL PROPERTY "KAZ_FOLDER_OF_kaz-${name}")
        if(earlier STREQUAL folder)
            string(CONCAT problem "this test folder is named twice in KAZ_QUIZZES; name it once")
        elseif(earlier)
            string(CONCAT problem "this test folder and ${earlier} have the same name, and each would become the program "
                                  "kaz-${name}; rename one of the folders")
        else()
            set_property(GLOBAL PROPERTY "KAZ_FOLDER_OF_kaz-${name}" "${folder}")
        endif()
    endif()
    set(${out_problem} "${problem}" PARENT_SCOPE)
endfunction()

# kaz_add_quiz(FOLDER OUTPUT_DIR): makes the test in FOLDER into the program
# OUTPUT_DIR/kaz-<folder name>, a target of the same name: kazpack checks the test (a test
# that breaks a rule of the content format stops the build) and appends it to the quiz
# runner. The program is made again when test.kaz or a picture it names changes (kazpack's
# depfile). OUTPUT_DIR must not be the current binary folder: Ninja names a target of a
# folder <folder>/<target>, the program's own path there.
function(kaz_add_quiz folder output_dir)
    if(folder STREQUAL "")
        return()
    endif()
    kaz_quiz_folder("${folder}" folder problem)
    if(problem)
        message(FATAL_ERROR "${folder}: ${problem}")
    endif()
    get_filename_component(name "${folder}" NAME)
    set(target "kaz-${name}")
    set(program "${output_dir}/${target}${CMAKE_EXECUTABLE_SUFFIX}")
    # The depfile lists the files packed; an icon.png added later is seen at the next configure.
    set(own_icon "")
    if(EXISTS "${folder}/icon.png")
        set(own_icon "${folder}/icon.png")
    endif()
    add_custom_command(OUTPUT "${program}"
        COMMAND kazpack --remove-first --runner "$<TARGET_FILE:kazrunner>" -o "${program}" --depfile "${program}.d" "${folder}"
        DEPENDS kazpack kazrunner "${folder}/test.kaz" ${own_icon}
        DEPFILE "${program}.d"
        COMMENT "Packing the test in ${folder} into ${target}"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS "${program}")

    # With the test page put together (buildtools/), the test as a page too: kaz-<folder>.html.
    if(TARGET kazweb_page)
        set(page "${output_dir}/${target}.html")
        set(web_runner "${KAZ_RUNNER_BUILD_DIR}/kazweb.html")
        add_custom_command(OUTPUT "${page}"
            COMMAND kazpack --remove-first --web --runner "${web_runner}" -o "${page}" --depfile "${page}.d" "${folder}"
            DEPENDS kazpack kazweb_page "${web_runner}" "${folder}/test.kaz" ${own_icon}
            DEPFILE "${page}.d"
            COMMENT "Packing the test in ${folder} into ${target}.html"
            VERBATIM)
        add_custom_target(page-${name} ALL DEPENDS "${page}")
        set_target_properties(${target} PROPERTIES KAZ_PAGE "${page}")
    endif()

    # Installing (packaging/) finds every quiz program and its test folder here. Helper
    # targets never start with "kaz-", so no folder's program can take their names.
    set_target_properties(${target} PROPERTIES KAZ_TEST_FOLDER "${folder}" KAZ_PROGRAM "${program}")
    set_property(GLOBAL APPEND PROPERTY KAZ_QUIZ_TARGETS ${target})
endfunction()
