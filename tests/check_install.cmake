# Installs the build into a fresh prefix and checks it as the desktop does: the files in their
# places, the menu entry through desktop-file-validate, the metadata through appstreamcli.
# Run with: cmake -DBUILD=<build dir> -DPREFIX=<temporary prefix> -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE installed
                OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
set(expected
    bin/wagenwart
    share/doc/wagenwart/Wagenwart.pdf
    share/applications/de.sternhof.Wagenwart.desktop
    share/metainfo/de.sternhof.Wagenwart.metainfo.xml
    share/icons/hicolor/scalable/apps/de.sternhof.Wagenwart.svg)
foreach(size 16 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/de.sternhof.Wagenwart.png)
endforeach()
foreach(f IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
execute_process(COMMAND desktop-file-validate ${PREFIX}/share/applications/de.sternhof.Wagenwart.desktop
                RESULT_VARIABLE desktop OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT desktop EQUAL 0 OR said MATCHES "error")
    message(FATAL_ERROR "desktop-file-validate: ${said}")
endif()
execute_process(COMMAND appstreamcli validate --no-net ${PREFIX}/share/metainfo/de.sternhof.Wagenwart.metainfo.xml
                RESULT_VARIABLE appstream OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT appstream EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate: ${said}")
endif()
# The installed program finds its manual in the installation (asked in a terminal without any
# screen), and starts offscreen from the prefix (it is still running, at its first-start question,
# when the time is up).
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY --unset=WAYLAND_DISPLAY
                        ASAN_OPTIONS=detect_leaks=0 ${PREFIX}/bin/wagenwart --manual-path
                RESULT_VARIABLE asked OUTPUT_VARIABLE manual OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REAL_PATH ${PREFIX}/share/doc/wagenwart/Wagenwart.pdf wanted)
if(NOT asked EQUAL 0 OR NOT manual STREQUAL wanted)
    message(FATAL_ERROR "the installed program looks for its manual at '${manual}', not '${wanted}'")
endif()
set(home ${PREFIX}/home)
file(MAKE_DIRECTORY ${home})
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 HOME=${home}
                        XDG_DATA_HOME=${home}/data XDG_CONFIG_HOME=${home}/config XDG_RUNTIME_DIR=${home}
                        ${PREFIX}/bin/wagenwart
                TIMEOUT 4 RESULT_VARIABLE started OUTPUT_QUIET ERROR_QUIET)
if(NOT started MATCHES "timeout")
    message(FATAL_ERROR "the installed program ended at once: ${started}")
endif()
message(STATUS "Installed and valid: ${PREFIX}")
