# The manual as the user gets it: every section title of its source is in the text of
# Wagenwart.pdf, and the PDF carries the picture of every window that the gallery rendered. Then
# make_manual itself: a picture that is missing is left out with a note and the manual is made all
# the same; a missing source is an error.
# Run with: cmake -DMANUAL=<pdf> -DSOURCE=<manual.html> -DPICTURES=<folder> -DMAKE_MANUAL=<program>
#                 -DWORK=<scratch folder> -P check_manual.cmake
file(READ ${SOURCE} html)

execute_process(COMMAND pdftotext -enc UTF-8 ${MANUAL} - RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pdftotext ${MANUAL}: ${err}")
endif()
string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")

string(REGEX MATCHALL "<h2>[^<]+</h2>" headings "${html}")
list(LENGTH headings sections)
if(sections LESS 15)
    message(FATAL_ERROR "the manual's source has only ${sections} sections")
endif()
foreach(h IN LISTS headings)
    string(REGEX REPLACE "</?h2>" "" title "${h}")
    string(REGEX REPLACE "[ \t\r\n]+" " " title "${title}")
    string(FIND "${text}" "${title}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "section \"${title}\" is not in ${MANUAL}")
    endif()
endforeach()

# Every picture of the source that the gallery rendered is in the PDF (an image drawn on two pages
# is one object).
string(REGEX MATCHALL "<p class=\"bild\">[ \t\r\n]*<img src=\"[^\"]+\"" figures "${html}")
set(present 0)
foreach(f IN LISTS figures)
    string(REGEX REPLACE ".*src=\"([^\"]+)\"" "\\1" name "${f}")
    if(EXISTS ${PICTURES}/${name})
        math(EXPR present "${present} + 1")
    endif()
endforeach()
if(present EQUAL 0)
    message(FATAL_ERROR "none of the manual's pictures is in ${PICTURES}")
endif()
execute_process(COMMAND pdfimages -list ${MANUAL} RESULT_VARIABLE rc OUTPUT_VARIABLE listing ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pdfimages -list ${MANUAL}: ${err}")
endif()
string(REGEX MATCHALL "\n *[0-9]+ +[0-9]+ +image +[^\n]*" images "${listing}")
set(objects "")
foreach(line IN LISTS images)
    string(REGEX REPLACE "^\n *" "" line "${line}")
    string(REGEX REPLACE " +" ";" cells "${line}")
    list(GET cells 10 object)
    list(APPEND objects ${object})
endforeach()
list(REMOVE_DUPLICATES objects)
list(LENGTH objects embedded)
if(embedded LESS present)
    message(FATAL_ERROR "${MANUAL} holds ${embedded} pictures, the gallery rendered ${present} of the manual's")
endif()

# make_manual on a source with one picture that is there and one that is not.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/pictures)
file(GLOB rendered ${PICTURES}/*.png)
list(GET rendered 0 one)
get_filename_component(one_name ${one} NAME)
file(COPY ${one} DESTINATION ${WORK}/pictures)
file(WRITE ${WORK}/small.html
     "<h1>Probe</h1><h2>Mit Bild</h2><p class=\"bild\"><img src=\"${one_name}\"><br>Bild da</p>\n"
     "<h2>Ohne Bild</h2><p class=\"bild\"><img src=\"not_yet_there.png\"><br>Bild fehlt</p><p>Text danach</p>\n")
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${MAKE_MANUAL} ${WORK}/small.html ${WORK}/pictures ${WORK}/small.pdf
                RESULT_VARIABLE rc ERROR_VARIABLE said)
if(NOT rc EQUAL 0 OR NOT said MATCHES "not_yet_there.png")
    message(FATAL_ERROR "make_manual with a missing picture: exit ${rc}, said: ${said}")
endif()
execute_process(COMMAND pdftotext ${WORK}/small.pdf - OUTPUT_VARIABLE small)
execute_process(COMMAND pdfimages -list ${WORK}/small.pdf OUTPUT_VARIABLE small_images)
string(REGEX MATCHALL "\n *[0-9]+ +[0-9]+ +image " small_images "${small_images}")
list(LENGTH small_images small_count)
if(NOT small MATCHES "Bild da" OR small MATCHES "Bild fehlt" OR NOT small MATCHES "Text danach" OR
   NOT small_count EQUAL 1)
    message(FATAL_ERROR "make_manual with a missing picture made ${small_count} images and:\n${small}")
endif()

execute_process(COMMAND ${MAKE_MANUAL} ${WORK}/no_such.html ${WORK}/pictures ${WORK}/none.pdf
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(rc EQUAL 0)
    message(FATAL_ERROR "make_manual made a manual without its source")
endif()
