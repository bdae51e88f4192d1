# Installs the build into a fresh prefix and runs the installed programs the way a desktop
# would: from a working directory holding only a cartridge, with a home folder of their
# own. Run with cmake -P; BUILD_DIR, WORK_DIR, DEMOROM and VERSION are given with -D.

function(fail)
    string(JOIN "" message ${ARGN})
    message(FATAL_ERROR "${message}")
endfunction()

# run(<name> <expected exit status> <command>...): runs the command in the working folder
# and leaves its standard output in ${name}_out.
function(run name expected)
    execute_process(COMMAND ${ARGN}
        WORKING_DIRECTORY ${work}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
        TIMEOUT 120)
    if(NOT status STREQUAL "${expected}")
        fail("${name}: exit status ${status}, expected ${expected}\n${out}\n${err}")
    endif()
    set(${name}_out "${out}" PARENT_SCOPE)
endfunction()

function(expect_file path)
    if(NOT EXISTS ${path})
        fail("missing: ${path}")
    endif()
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(home ${WORK_DIR}/home)
set(work ${WORK_DIR}/work)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${home} ${work})

run(install 0 ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(installed
        bin/quartex3editor bin/quartex3tool
        share/quartex3editor/fcpalette.pal share/quartex3editor/ObjectList.txt
        share/quartex3editor/ChipAttributes.txt
        share/quartex3editor/ObjectList.en.txt share/quartex3editor/ChipAttributes.en.txt
        share/applications/quartex3editor.desktop
        share/icons/hicolor/48x48/apps/quartex3editor.png
        share/icons/hicolor/scalable/apps/quartex3editor.svg
        share/metainfo/quartex3editor.metainfo.xml
        share/man/man1/quartex3tool.1)
    expect_file(${prefix}/${installed})
endforeach()

run(demorom 0 ${DEMOROM} ${work}/demo.nes)

run(info 0 ${prefix}/bin/quartex3tool info demo.nes)
if(NOT info_out MATCHES "\n11 ")
    fail("quartex3tool info printed no line for stage 11:\n${info_out}")
endif()

run(tool_version 0 ${prefix}/bin/quartex3tool --version)
if(NOT tool_version_out STREQUAL "quartex3tool ${VERSION}\n")
    fail("quartex3tool --version printed: ${tool_version_out}")
endif()

# Help and version need no display: neither may start the window system.
set(noDisplay ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
    --unset=QT_QPA_PLATFORM)
run(editor_version 0 ${noDisplay} ${prefix}/bin/quartex3editor --version)
if(NOT editor_version_out STREQUAL "quartex3editor ${VERSION}\n")
    fail("quartex3editor --version printed: ${editor_version_out}")
endif()
run(editor_help 0 ${noDisplay} ${prefix}/bin/quartex3editor --help)
if(NOT editor_help_out MATCHES "\\[cartridge\\.nes\\]" OR editor_help_out MATCHES "close-when")
    fail("quartex3editor --help printed:\n${editor_help_out}")
endif()

# No colour table in the working directory or the home folder: the editor must start with
# the packaged one (a missing table would stop it at a message box) and keep its settings
# in the home folder, not beside the program.
run(editor 0 ${CMAKE_COMMAND} -E env HOME=${home} --unset=XDG_CONFIG_HOME
    QT_QPA_PLATFORM=offscreen
    ${prefix}/bin/quartex3editor demo.nes --close-when-started)
set(settings ${home}/.config/quartex3editor/quartex3editor.ini)
expect_file(${settings})
file(READ ${settings} settingsText)
if(NOT settingsText MATCHES "\\[Timer\\]\r?\nInterval=16")
    fail("the settings written at exit lack the timer:\n${settingsText}")
endif()
if(EXISTS ${prefix}/bin/quartex3editor.ini OR EXISTS ${work}/fcpalette.pal)
    fail("the installed editor wrote beside itself or into the working directory")
endif()

# With English chosen in the settings, the help speaks English too.
string(REPLACE "Language=ja" "Language=en" englishSettings "${settingsText}")
if(englishSettings STREQUAL settingsText)
    fail("the settings written at exit lack the language:\n${settingsText}")
endif()
file(WRITE ${settings} "${englishSettings}")
run(editor_help_en 0 ${noDisplay} HOME=${home} --unset=XDG_CONFIG_HOME
    ${prefix}/bin/quartex3editor --help)
if(NOT editor_help_en_out MATCHES "Edits the stage data")
    fail("quartex3editor --help with English chosen printed:\n${editor_help_en_out}")
endif()
