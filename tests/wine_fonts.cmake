# The fonts a cross build's Windows programs see under Wine (scripts/wine.sh with the build's
# folder of fonts, cmake/KazWindows.cmake), in a prefix first made by Wine alone, which wrote
# the host's fonts into its registry: the prefix is made afresh, its installed fonts are the
# folder's and no other of the host's, and Times New Roman, Arial and Courier New are replaced
# by their twins.
#
# -DRUN=… the build's emulator, its words joined by "|" (wine.sh, the build's prefix, the fonts)
# -DWORK_DIR=… scratch folder
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" RUN "${RUN}")
list(GET RUN 0 wine_sh)
list(GET RUN 2 fonts)
set(wine /usr/lib/wine/wine64)
set(wineserver /usr/lib/wine/wineserver64)
set(prefix "${WORK_DIR}/wine")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# A prefix of Wine's own, made with the host's fonts as fontconfig shows them.
unset(ENV{FONTCONFIG_FILE})
set(ENV{WINEPREFIX} "${prefix}")
set(ENV{WINEDEBUG} "-all")
set(ENV{WINEDLLOVERRIDES} "mscoree,mshtml=")
execute_process(COMMAND ${wine} wineboot --init RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${wineserver} -w)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Wine could not make the prefix ${prefix}: ${rc}")
endif()
unset(ENV{WINEPREFIX})

function(query key)
    execute_process(COMMAND bash "${wine_sh}" "${prefix}" "${fonts}" reg query "${key}"
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "reg query ${key} ended with ${rc}: ${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

# The installed fonts with a full path are the folder's (Wine's own .fon files have none).
query("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts")
string(REPLACE "/" "\\" folder "Z:${fonts}\\")
string(REGEX MATCHALL "[^\n]*REG_SZ +[A-Za-z]:\\\\[^\n]*" installed "${out}")
if(NOT installed MATCHES "Liberation Serif \\(TrueType\\)")
    message(FATAL_ERROR "Liberation Serif is not among the installed fonts:\n${out}")
endif()
foreach(line IN LISTS installed)
    string(REGEX REPLACE ".*REG_SZ +" "" file "${line}")
    string(FIND "${file}" "${folder}" at)
    if(NOT at EQUAL 0)
        message(FATAL_ERROR "A font outside ${folder} is installed: ${line}")
    endif()
endforeach()

query("HKCU\\Software\\Wine\\Fonts\\Replacements")
foreach(twin "Times New Roman +REG_SZ +Liberation Serif" "Arial +REG_SZ +Liberation Sans" "Courier New +REG_SZ +Liberation Mono")
    if(NOT out MATCHES "${twin}")
        message(FATAL_ERROR "No replacement '${twin}':\n${out}")
    endif()
endforeach()
