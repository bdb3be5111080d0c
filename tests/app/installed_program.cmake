# Installs the build into a fresh prefix and starts the installed pelion-tool and pelion from
# there: both must find the installed data folder, write nothing into it, and the program must
# open pages named on its command line (headless) and end by itself once they are editable.
file(REMOVE_RECURSE ${WORK})
set(PREFIX ${WORK}/prefix)
set(HOME_DIR ${WORK}/home)
file(MAKE_DIRECTORY ${HOME_DIR})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE code OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "install failed (${code}): ${err}")
endif()
set(DATA ${PREFIX}/share/pelion)
foreach(file bin/pelion bin/pelion-tool share/pelion/Bin/default.htt share/pelion/Bin/qxlib.js
        share/applications/com.torvane.Pelion.desktop share/metainfo/com.torvane.Pelion.metainfo.xml
        share/icons/hicolor/scalable/apps/com.torvane.Pelion.svg
        share/icons/hicolor/48x48/apps/com.torvane.Pelion.png)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
if(EXISTS ${DATA}/CMakeLists.txt OR EXISTS ${DATA}/sources)
    message(FATAL_ERROR "the data folder's build file or generators were installed")
endif()
# Every data folder of the source tree is installed, whatever its name.
file(GLOB data_folders LIST_DIRECTORIES true RELATIVE ${SOURCE}/data ${SOURCE}/data/*)
foreach(folder IN LISTS data_folders)
    if(IS_DIRECTORY ${SOURCE}/data/${folder} AND NOT folder STREQUAL "sources"
       AND NOT IS_DIRECTORY ${DATA}/${folder})
        message(FATAL_ERROR "data folder not installed: ${folder}")
    endif()
endforeach()

# A clean environment of a user: own home, no build-tree variables.
set(ENV_ARGS -E env --unset=XDG_CONFIG_HOME --unset=XDG_CACHE_HOME HOME=${HOME_DIR})
function(run_installed expected_code)
    execute_process(COMMAND ${CMAKE_COMMAND} ${ENV_ARGS} ${ARGN} RESULT_VARIABLE code
                    OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 400)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "${ARGN}: exit ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    set(OUT "${out}" PARENT_SCOPE)
    set(ERR "${err}" PARENT_SCOPE)
endfunction()

foreach(program pelion-tool pelion)
    run_installed(0 ${PREFIX}/bin/${program} --version)
    if(NOT OUT MATCHES "program folder: ${DATA}/\n")
        message(FATAL_ERROR "${program} does not use the installed data folder:\n${OUT}")
    endif()
endforeach()

# A new page from the installed template lands in the user's default site, not in the
# installation.
run_installed(0 ${PREFIX}/bin/pelion-tool new-page --name first.html --title "Installed")
string(STRIP "${OUT}" created)
if(NOT created STREQUAL "${HOME_DIR}/Documents/Pelion Pages/first.html")
    message(FATAL_ERROR "new page made at '${created}'")
endif()
file(READ ${created} page)
string(FIND "${page}" "Installed" at)
if(at EQUAL -1 OR NOT EXISTS "${HOME_DIR}/Documents/Pelion Pages/qxlib.js")
    message(FATAL_ERROR "the page was not made from the installed template:\n${page}")
endif()

# The program itself, offscreen, with two pages; PELION_STARTUP_TRACE=quit ends it once both
# are editable.
string(REPEAT "<p>Some text of the page.</p>\n" 20 body)
file(WRITE ${WORK}/a.html "<html><head><title>Page A</title></head><body>${body}</body></html>\n")
file(WRITE ${WORK}/b.html "<html><head><title>Page B</title></head><body>${body}</body></html>\n")
run_installed(0 QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
              QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu PELION_STARTUP_TRACE=quit
              ${PREFIX}/bin/pelion ${WORK}/a.html ${WORK}/b.html)
foreach(line window-visible page-editable)
    if(NOT ERR MATCHES "pelion-startup: ${line} ")
        message(FATAL_ERROR "pelion did not report ${line}:\n${ERR}")
    endif()
endforeach()
if(ERR MATCHES "page-failed")
    message(FATAL_ERROR "a page failed to open:\n${ERR}")
endif()

# Nothing was written into the installation.
file(GLOB_RECURSE written RELATIVE ${DATA} ${DATA}/Tandem.ini ${DATA}/Bin/Temp.htm ${DATA}/Pages/*)
if(written)
    message(FATAL_ERROR "files written into the installed data folder: ${written}")
endif()
