# The Windows setup as a school installs it, under Wine in a fresh prefix: scripts/windows-setup.sh
# run twice gives the same bytes; /S installs for all users when elevated (Wine runs every
# program elevated) and /S /CurrentUser for the user: the files, the Start-menu shortcuts and
# the "Apps & features" entry are there; the installed kazpack finds both runners; the
# uninstaller removes all of it but what a teacher made in the install folder and the editor's
# recovery copies of unsaved tests (their folder goes when empty).
# Prints "KAZ-SKIP" (the test is then skipped) without NSIS, Wine or the Windows programs.
#
# -DSOURCE_DIR=… the source tree  -DPROGRAMS=… the Windows programs (scripts/windows.sh)
# -DLINUX_BUILD=… this build (its runner, kazpack, kazicon)  -DWORK_DIR=… scratch folder
cmake_minimum_required(VERSION 3.25)
set(wine /usr/lib/wine/wine64)
set(wineserver /usr/lib/wine/wineserver64)
find_program(makensis makensis)
if(NOT makensis OR NOT EXISTS "${wine}")
    message("KAZ-SKIP: NSIS (makensis) or Wine (${wine}) is not installed")
    return()
endif()
if(NOT EXISTS "${PROGRAMS}/kazrunner.exe")
    message("KAZ-SKIP: no Windows programs in ${PROGRAMS}; bash scripts/windows.sh builds them")
    return()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/home")

# Two setups at once (one core each): the commands of one execute_process run side by side,
# piped, so the first one's output goes to no pipe. The second starts 3 seconds later: the
# files each one makes (the Linux runner stripped, the tests given back, the icon) then have
# other times, which a setup must not carry.
execute_process(
    COMMAND bash -c "bash \"$0\" \"$@\" >/dev/null" "${SOURCE_DIR}/scripts/windows-setup.sh" --programs "${PROGRAMS}" --linux-build "${LINUX_BUILD}"
            --output "${WORK_DIR}/first"
    COMMAND bash -c "sleep 3 && exec bash \"$0\" \"$@\"" "${SOURCE_DIR}/scripts/windows-setup.sh" --programs "${PROGRAMS}" --linux-build "${LINUX_BUILD}"
            --output "${WORK_DIR}/second"
    RESULTS_VARIABLE results ERROR_VARIABLE err)
if(NOT results STREQUAL "0;0")
    message(FATAL_ERROR "windows-setup.sh failed (${results}): ${err}")
endif()
file(GLOB setup "${WORK_DIR}/first/kaz-setup-*.exe")
file(GLOB again "${WORK_DIR}/second/kaz-setup-*.exe")
list(LENGTH setup count)
if(NOT count EQUAL 1 OR NOT again)
    message(FATAL_ERROR "windows-setup.sh wrote no kaz-setup-<version>.exe: '${setup}' '${again}'")
endif()
file(SHA256 "${setup}" first_hash)
file(SHA256 "${again}" second_hash)
if(NOT first_hash STREQUAL second_hash)
    message(FATAL_ERROR "Two runs of windows-setup.sh on the same programs gave different setups")
endif()
file(STRINGS "${SOURCE_DIR}/CMakeLists.txt" project_line REGEX "^project\\(KAZ VERSION")
string(REGEX REPLACE "^project\\(KAZ VERSION ([0-9.]+).*" "\\1" version "${project_line}")
if(NOT setup MATCHES "/kaz-setup-${version}\\.exe$")
    message(FATAL_ERROR "The setup ${setup} is not named after the project's version ${version}")
endif()

# Wine in a prefix of the test's own; no menu entries on this machine for the shortcuts made.
set(ENV{WINEPREFIX} "${WORK_DIR}/wine")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=;winemenubuilder.exe=d")
set(ENV{HOME} "${WORK_DIR}/home")
set(drive_c "${WORK_DIR}/wine/drive_c")

# run(ARGS…): a Windows program under Wine, waiting for every program it started (an NSIS
# uninstaller copies itself and returns at once); its output in `out`.
function(run)
    execute_process(COMMAND ${wine} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE output ERROR_VARIABLE output
        WORKING_DIRECTORY "${WORK_DIR}")
    execute_process(COMMAND ${wineserver} -w)
    if(NOT rc EQUAL 0)
        list(JOIN ARGN " " command)
        message(FATAL_ERROR "${command} ended with ${rc}: ${output}")
    endif()
    set(out "${output}" PARENT_SCOPE)
endfunction()
function(check_key root expect_present)
    set(key "${root}\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KAZ")
    execute_process(COMMAND ${wine} reg query "${key}" RESULT_VARIABLE rc OUTPUT_VARIABLE values ERROR_QUIET)
    if(NOT expect_present)
        if(rc EQUAL 0)
            message(FATAL_ERROR "The uninstaller left ${key}:\n${values}")
        endif()
        return()
    endif()
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "The setup wrote no ${key}")
    endif()
    foreach(value "DisplayName +REG_SZ +KAZ\r?\n" "DisplayVersion +REG_SZ +${version}\r?\n"
                  "Publisher +REG_SZ +[^\r\n]+" "DisplayIcon +REG_SZ +[^\r\n]*\\\\kaz-editor\\.exe,0"
                  "UninstallString +REG_SZ +\"[^\r\n]*\\\\Uninstall\\.exe\"\r?\n"
                  "QuietUninstallString +REG_SZ +\"[^\r\n]*\\\\Uninstall\\.exe\" /S"
                  "InstallLocation +REG_SZ +C:\\\\" "EstimatedSize +REG_DWORD +0x[1-9a-f]"
                  "NoModify +REG_DWORD +0x1" "NoRepair +REG_DWORD +0x1")
        if(NOT values MATCHES "${value}")
            message(FATAL_ERROR "${key} has no value matching \"${value}\":\n${values}")
        endif()
    endforeach()
    set(installed_at "${values}" PARENT_SCOPE)
endfunction()
# The shortcuts' folder: the editor's and one for each shipped test, named after its caption.
function(check_shortcuts menu)
    file(GLOB links RELATIVE "${menu}" "${menu}/*")
    set(expected "KAZ — редактор на тестове.lnk")
    foreach(test istoriya figuri)
        file(READ "${SOURCE_DIR}/quizzes/${test}/test.kaz" text)
        if(NOT text MATCHES "\n\\[parameters\\]\r?\n([^\r\n]+)")
            message(FATAL_ERROR "quizzes/${test}/test.kaz has no caption")
        endif()
        set(caption "${CMAKE_MATCH_1}")
        set(found "")
        foreach(link IN LISTS links)
            string(REGEX REPLACE "\\.lnk$" "" name "${link}")
            string(LENGTH "${name}" length)
            string(LENGTH "${caption}" caption_length)
            if(length GREATER 0 AND NOT caption_length LESS length)
                math(EXPR from "${caption_length} - ${length}")
                string(SUBSTRING "${caption}" ${from} -1 tail)
                if(tail STREQUAL name)
                    set(found "${link}")
                endif()
            endif()
        endforeach()
        if(NOT found)
            message(FATAL_ERROR "No shortcut for kaz-${test} named after its caption \"${caption}\" in ${menu}: ${links}")
        endif()
        list(APPEND expected "${found}")
    endforeach()
    list(SORT links)
    list(SORT expected)
    if(NOT links STREQUAL expected)
        message(FATAL_ERROR "The Start menu's KAZ folder holds ${links}, not ${expected}")
    endif()
endfunction()

execute_process(COMMAND ${wine} wineboot --init OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${wineserver} -w)

# The editor's recovery copies of this user (%APPDATA%\KAZ\kaz-editor\recovery): one unsaved
# test's copy there while KAZ is installed for all users and removed.
file(GLOB roaming "${drive_c}/users/*/AppData/Roaming")
list(FILTER roaming EXCLUDE REGEX "/users/Public/")
list(LENGTH roaming count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "No one user's AppData\\Roaming in the fresh prefix: ${roaming}")
endif()
set(recovery "${roaming}/KAZ/kaz-editor/recovery")
file(WRITE "${recovery}/unsaved.kazrecovery" "{}")

# For all users (Wine's programs run elevated): Program Files, HKLM, the common Start menu.
run("${setup}" /S)
set(all_users "${drive_c}/Program Files/KAZ")
set(common_menu "${drive_c}/ProgramData/Microsoft/Windows/Start Menu/Programs/KAZ")
if(NOT EXISTS "${all_users}/kaz-editor.exe" OR NOT EXISTS "${all_users}/Uninstall.exe")
    message(FATAL_ERROR "/S run elevated installed nothing into ${all_users}")
endif()
check_shortcuts("${common_menu}")
check_key(HKLM TRUE)
check_key(HKCU FALSE)
run("${all_users}/Uninstall.exe" /S)
if(EXISTS "${all_users}" OR EXISTS "${common_menu}")
    message(FATAL_ERROR "The uninstaller of the all-users install left ${all_users} or ${common_menu}")
endif()
check_key(HKLM FALSE)
# A teacher's unsaved work stays, with its folder.
if(NOT EXISTS "${recovery}/unsaved.kazrecovery")
    message(FATAL_ERROR "The uninstaller removed the editor's recovery copy ${recovery}/unsaved.kazrecovery")
endif()
file(REMOVE "${recovery}/unsaved.kazrecovery")

# For the user.
run("${setup}" /S /CurrentUser)
file(GLOB user_dir "${drive_c}/users/*/AppData/Local/Programs/KAZ")
if(NOT user_dir OR EXISTS "${drive_c}/Program Files/KAZ")
    message(FATAL_ERROR "/S /CurrentUser did not install into the user's AppData\\Local\\Programs\\KAZ")
endif()
get_filename_component(user_home "${user_dir}/../../../.." ABSOLUTE)
check_shortcuts("${user_home}/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/KAZ")
check_key(HKCU TRUE)
check_key(HKLM FALSE)
string(REPLACE "${drive_c}" "C:" windows_dir "${user_dir}")
string(REPLACE "/" "\\\\" windows_dir "${windows_dir}")
if(NOT installed_at MATCHES "InstallLocation +REG_SZ +${windows_dir}\r?\n")
    message(FATAL_ERROR "InstallLocation is not ${windows_dir}:\n${installed_at}")
endif()

# Exactly the programs, both runners, the test page when the build had one, the uninstaller and
# the shipped tests' folders, each file of those as the source tree has it.
file(GLOB_RECURSE installed RELATIVE "${user_dir}" "${user_dir}/*")
set(expected Uninstall.exe gift2kaz.exe kaz-editor.exe kaz-figuri.exe kaz-istoriya.exe kazcheck.exe kazpack.exe
    kazrunner kazrunner.exe)
set(programs_compared kazrunner.exe kaz-editor.exe kaz-istoriya.exe)
if(EXISTS "${PROGRAMS}/kazweb.html")
    list(APPEND expected kazweb.html)
    list(APPEND programs_compared kazweb.html)
endif()
foreach(file IN LISTS installed)
    if(file MATCHES "^quizzes/([^/]+)/(.+)$")
        execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${user_dir}/${file}" "${SOURCE_DIR}/${file}"
            RESULT_VARIABLE differs)
        if(differs)
            message(FATAL_ERROR "The installed ${file} is not the source tree's")
        endif()
        list(APPEND expected "${file}")
    endif()
endforeach()
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected OR NOT "quizzes/istoriya/test.kaz" IN_LIST installed
   OR NOT "quizzes/figuri/test.kaz" IN_LIST installed)
    message(FATAL_ERROR "Installed: ${installed}\nexpected: ${expected} with both shipped tests' folders")
endif()
foreach(program IN LISTS programs_compared)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${user_dir}/${program}" "${PROGRAMS}/${program}"
        RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "The installed ${program} is not the one built")
    endif()
endforeach()

# The installed kazpack packs for both systems with the runners it finds beside itself.
file(MAKE_DIRECTORY "${WORK_DIR}/made")
run("${user_dir}/kazpack.exe" --windows "Z:${user_dir}/quizzes/istoriya" -o "Z:${WORK_DIR}/made/kaz-istoriya.exe")
run("${user_dir}/kazpack.exe" --linux "Z:${user_dir}/quizzes/istoriya" -o "Z:${WORK_DIR}/made/kaz-istoriya")
file(READ "${WORK_DIR}/made/kaz-istoriya.exe" windows_head LIMIT 2 HEX)
file(READ "${WORK_DIR}/made/kaz-istoriya" linux_head LIMIT 4 HEX)
if(NOT windows_head STREQUAL "4d5a" OR NOT linux_head STREQUAL "7f454c46")
    message(FATAL_ERROR "The installed kazpack made no Windows program (${windows_head}) or no Linux program (${linux_head})")
endif()
# And a test page, with the page installed beside it: the same page the build made.
if(EXISTS "${PROGRAMS}/kazweb.html")
    run("${user_dir}/kazpack.exe" --web "Z:${user_dir}/quizzes/istoriya" -o "Z:${WORK_DIR}/made/kaz-istoriya.html")
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK_DIR}/made/kaz-istoriya.html" "${PROGRAMS}/kaz-istoriya.html"
        RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "The installed kazpack --web made another page than the build's kaz-istoriya.html")
    endif()
endif()

# A teacher's test and program in the install folder survive the uninstaller; nothing else does.
file(MAKE_DIRECTORY "${user_dir}/quizzes/moy")
file(COPY_FILE "${SOURCE_DIR}/quizzes/istoriya/test.kaz" "${user_dir}/quizzes/moy/test.kaz")
file(COPY_FILE "${WORK_DIR}/made/kaz-istoriya.exe" "${user_dir}/kaz-moy.exe")
# The editor's settings go with it.
run(reg add "HKCU\\Software\\KAZ\\kaz-editor" /v lastFolder /d "C:\\moy" /f)
run("${user_dir}/Uninstall.exe" /S)
execute_process(COMMAND ${wine} reg query "HKCU\\Software\\KAZ" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(rc EQUAL 0)
    message(FATAL_ERROR "The uninstaller left the editor's settings, HKCU\\Software\\KAZ")
endif()
file(GLOB_RECURSE left RELATIVE "${user_dir}" "${user_dir}/*")
list(SORT left)
if(NOT left STREQUAL "kaz-moy.exe;quizzes/moy/test.kaz")
    message(FATAL_ERROR "After uninstalling, the install folder holds \"${left}\", not just the teacher's files")
endif()
if(EXISTS "${user_home}/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/KAZ")
    message(FATAL_ERROR "The uninstaller left the Start menu's KAZ folder")
endif()
# The recovery copies' folder, empty, goes with the editor's folders in AppData.
if(EXISTS "${roaming}/KAZ")
    message(FATAL_ERROR "The uninstaller left the editor's empty folder of recovery copies in ${roaming}/KAZ")
endif()
check_key(HKCU FALSE)

execute_process(COMMAND ${wineserver} -k)
file(REMOVE_RECURSE "${WORK_DIR}")
