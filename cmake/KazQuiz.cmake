# kaz_add_quiz(FOLDER): builds the test in FOLDER into a program named kaz-<folder name>.
# The test is checked first; a test that breaks a rule of the content format stops the build.
function(kaz_add_quiz folder)
    get_filename_component(folder "${folder}" ABSOLUTE BASE_DIR "${PROJECT_SOURCE_DIR}")
    get_filename_component(name "${folder}" NAME)
    set(target "kaz-${name}")
    if(NOT EXISTS "${folder}/test.kaz")
        message(FATAL_ERROR "${folder}: there is no test.kaz in this test folder")
    endif()
    file(GLOB pictures CONFIGURE_DEPENDS
        "${folder}/*.png" "${folder}/*.jpg" "${folder}/*.jpeg" "${folder}/*.bmp" "${folder}/*.gif")
    set(files "${folder}/test.kaz" ${pictures})

    set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}.checked")
    add_custom_command(OUTPUT "${stamp}"
        COMMAND kazcheck "${folder}" "${stamp}"
        DEPENDS kazcheck ${files}
        COMMENT "Checking the test in ${folder}"
        VERBATIM)
    add_custom_target(${target}-check DEPENDS "${stamp}")

    qt_add_executable(${target} WIN32 MACOSX_BUNDLE "${PROJECT_SOURCE_DIR}/app/main.cpp")
    add_dependencies(${target} ${target}-check)
    qt_add_resources(${target} "${target}-content" PREFIX "/test" BASE "${folder}" FILES ${files})
    target_link_libraries(${target} PRIVATE kaz_ui kaz_warnings)
endfunction()
