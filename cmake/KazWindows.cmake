# What the Windows programs need beyond the Linux ones. Included by the top-level
# CMakeLists.txt; on other systems it only defines kaz_windows_resources(), which does nothing
# there.
#
# Cross-built here (CMakePresets.json, preset "windows"), the build's own Windows programs run
# under Wine: CMake prefixes the build-time steps that run a tool of this build (kazicon draws
# the icons, kazpack packs the shipped tests) and every test with CMAKE_CROSSCOMPILING_EMULATOR,
# which is scripts/wine.sh with a Wine prefix of the build's own, <build>/wine, and the fonts of
# <build>/wine-fonts (below), unless the cache names another. The translations are compiled by
# the host's lrelease, as Qt's other tools (moc, rcc, uic) are the host's.

# The sizes of the Windows icon (.ico) every program carries: the title bar and small icons
# (16; 24 at 150 %), the taskbar (32; 48 at 150 %), the Explorer's large icons (48, 256).
set(KAZ_WINDOWS_ICON_SIZES 16 24 32 48 256)
set(KAZ_WINDOWS_ICON_DIR "${PROJECT_BINARY_DIR}/buildtools/windows-icons")

# The fonts the Windows programs see under Wine. Wine hands a Windows program every font that
# fontconfig finds on the host, and Qt for Windows draws a family it does not find (Times New
# Roman, Arial, Courier New, which KAZ asks for, are not there) with the first family of its
# whole list: gift2kaz.exe measured phrases in whatever font the machine's extra packages put
# first (DejaVu Math TeX Gyre of fonts-dejavu-extra, say), and the suites, whose offscreen
# platform reads a folder of its own, in another. Nor does Wine keep to the fonts it first found:
# fonts-liberation2 brings a newer Liberation Serif, which Wine takes instead of the older one.
# The build's Windows programs see one folder instead, <build>/wine-fonts: links to the
# Liberation fonts, the metric twins of the Windows fonts, and to DejaVu Sans; a fontconfig
# configuration naming that folder alone (fonts.conf), and Wine's font replacements that show
# each Windows name as its twin (fonts.reg); scripts/wine.sh makes Wine use both. The offscreen
# platform of the suites reads the same folder (QT_QPA_FONTDIR, tests/CMakeLists.txt) and gives
# the Windows names the same twins (tests/WineFonts.cpp, from KAZ_WINE_FONT_TWINS), so that a
# suite measures text as the programs it starts do.
if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(KAZ_WINE_FONTS "${PROJECT_BINARY_DIR}/wine-fonts")
    set(KAZ_WINE_FONT_TWINS "Times New Roman=Liberation Serif" "Arial=Liberation Sans" "Courier New=Liberation Mono")
    file(GLOB font_files /usr/share/fonts/truetype/liberation/Liberation*.ttf
                         /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
    if(NOT font_files)
        message(WARNING "No Liberation or DejaVu fonts in /usr/share/fonts/truetype: the Windows programs and suites "
                        "will find no fonts under Wine; install fonts-liberation and fonts-dejavu-core")
    endif()
    file(REMOVE_RECURSE "${KAZ_WINE_FONTS}")
    file(MAKE_DIRECTORY "${KAZ_WINE_FONTS}")
    foreach(font IN LISTS font_files)
        get_filename_component(name "${font}" NAME)
        file(CREATE_LINK "${font}" "${KAZ_WINE_FONTS}/${name}" SYMBOLIC)
    endforeach()
    # fontconfig's cache of the folder outside it, where fontconfig would take it for fonts.
    file(WRITE "${KAZ_WINE_FONTS}/fonts.conf"
        "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
        "<fontconfig>\n  <dir>${KAZ_WINE_FONTS}</dir>\n  <cachedir>${PROJECT_BINARY_DIR}/wine-fonts-cache</cachedir>\n</fontconfig>\n")
    set(replacements "")
    foreach(twin IN LISTS KAZ_WINE_FONT_TWINS)
        string(REPLACE "=" "\"=\"" twin "${twin}")
        string(APPEND replacements "\"${twin}\"\n")
    endforeach()
    file(WRITE "${KAZ_WINE_FONTS}/fonts.reg"
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n${replacements}")
endif()

# The emulator: set again at every configuring while it is this project's wine.sh (a build folder
# configured with fewer of its words gets them all), left alone when the cache names another.
if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(emulator "")
    if(CMAKE_CROSSCOMPILING_EMULATOR)
        list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 emulator)
    endif()
    if(emulator STREQUAL "" OR emulator STREQUAL "${PROJECT_SOURCE_DIR}/scripts/wine.sh")
        set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/scripts/wine.sh;${PROJECT_BINARY_DIR}/wine;${KAZ_WINE_FONTS}"
            CACHE STRING "How the build runs its own Windows programs: Wine, in a prefix of the build's own, with its fonts" FORCE)
    endif()
endif()

# The copyright holder and licence of the version information, as the Debian package's
# copyright file states them ("Copyright: 2026 KAZ maintainers <kaz@kaz.bg>").
file(STRINGS "${PROJECT_SOURCE_DIR}/packaging/debian/copyright" copyright_lines REGEX "^(Copyright|License): ")
list(GET copyright_lines 0 copyright)
list(GET copyright_lines 1 licence)
string(REGEX REPLACE "^Copyright: *" "" KAZ_COPYRIGHT "${copyright}")
string(REGEX REPLACE "^License: *" "" KAZ_LICENCE "${licence}")
string(REGEX REPLACE "^[0-9, -]+ +| *<.*$" "" KAZ_COPYRIGHT_HOLDER "${KAZ_COPYRIGHT}")

# kaz_windows_resources(TARGET ICON quiz|editor DESCRIPTION TEXT): on Windows, TARGET's .exe
# carries the KAZ icon (the quiz's or the editor's, kazicon --ico) and its version
# information: product KAZ, TEXT as the file's description (in Bulgarian, as Explorer and the
# Task Manager show it), the project's version, the copyright holder and licence.
function(kaz_windows_resources target)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "ICON;DESCRIPTION" "")
    if(NOT arg_ICON MATCHES "^(quiz|editor)$" OR arg_DESCRIPTION STREQUAL "")
        message(FATAL_ERROR "kaz_windows_resources(${target}): give ICON quiz or editor and a DESCRIPTION")
    endif()
    set(KAZ_RC_ICON "${KAZ_WINDOWS_ICON_DIR}/${arg_ICON}.ico")
    set(KAZ_RC_DESCRIPTION "${arg_DESCRIPTION}")
    set(KAZ_RC_NAME "${target}")
    set(numbers "")
    foreach(part MAJOR MINOR PATCH TWEAK)
        if(PROJECT_VERSION_${part} STREQUAL "")
            list(APPEND numbers 0)
        else()
            list(APPEND numbers "${PROJECT_VERSION_${part}}")
        endif()
    endforeach()
    list(JOIN numbers "," KAZ_RC_VERSION_NUMBERS)
    set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/KazProgram.rc.in" "${rc}" @ONLY)
    target_sources(${target} PRIVATE "${rc}")
    # windres reads the icon while compiling the .rc; kazicon draws it first.
    set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${KAZ_RC_ICON}")
    add_dependencies(${target} windows-icons)
    # For the test of the built programs (tests/tst_windows_programs.cpp).
    set_target_properties(${target} PROPERTIES KAZ_WINDOWS_ICON "${arg_ICON}" KAZ_WINDOWS_DESCRIPTION "${arg_DESCRIPTION}")
    set_property(GLOBAL APPEND PROPERTY KAZ_WINDOWS_PROGRAMS "${target}")
endfunction()
