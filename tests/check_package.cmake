cmake_minimum_required(VERSION 3.25)
# Builds the Debian package from the build tree and reads it back with dpkg-deb: the files a
# desktop installation needs, and the dependencies dpkg-shlibdeps found.
# Run with: cmake -DBUILD=<build dir> -DOUT=<folder for the package> -P check_package.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND cpack -G DEB -B ${OUT} WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc OUTPUT_VARIABLE log
                ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${log}")
endif()
file(GLOB packages ${OUT}/wagenwart_*_amd64.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one wagenwart_<version>_amd64.deb in ${OUT}, found: ${packages}")
endif()

execute_process(COMMAND dpkg-deb -c ${packages} OUTPUT_VARIABLE contents RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -c failed")
endif()
set(faults "")
foreach(path ./usr/bin/wagenwart
             ./usr/share/doc/wagenwart/Wagenwart.pdf
             ./usr/share/applications/de.sternhof.Wagenwart.desktop
             ./usr/share/metainfo/de.sternhof.Wagenwart.metainfo.xml
             ./usr/share/icons/hicolor/scalable/apps/de.sternhof.Wagenwart.svg
             ./usr/share/icons/hicolor/16x16/apps/de.sternhof.Wagenwart.png
             ./usr/share/icons/hicolor/256x256/apps/de.sternhof.Wagenwart.png)
    string(FIND "${contents}" " ${path}\n" at)
    if(at EQUAL -1)
        string(APPEND faults "  the package lacks ${path}\n")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb -I ${packages} OUTPUT_VARIABLE info RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -I failed")
endif()
string(REGEX MATCH "\n Depends: [^\n]*" depends "${info}")
foreach(library libqt6widgets6 libqt6charts6 libqt6printsupport6 libqt6multimedia6 zlib1g libxlsxwriter)
    string(FIND "${depends}" "${library}" at)
    if(at EQUAL -1)
        string(APPEND faults "  the dependencies lack ${library}:${depends}\n")
    endif()
endforeach()
foreach(field "Package: wagenwart" "Architecture: amd64" "Section: misc")
    string(FIND "${info}" " ${field}\n" at)
    if(at EQUAL -1)
        string(APPEND faults "  the control file lacks \"${field}\"\n")
    endif()
endforeach()
if(faults)
    message(FATAL_ERROR "The package ${packages}:\n${faults}")
endif()
message(STATUS "${packages}: files and dependencies as expected")
