# Renders every window into DIR for the manual's pictures, offscreen, and touches STAMP.
# A gallery that fails leaves out the pictures it did not write, never the build: the manual is
# made from the pictures that are there. The gallery's own checks are the tests gallery and
# gallery_scale2.
# Run with: cmake -DGALLERY=<program> -DDIR=<picture folder> -DSTAMP=<file> -P run_gallery.cmake
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${GALLERY} --out ${DIR} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err TIMEOUT 300)
if(NOT rc EQUAL 0)
    message(WARNING "gallery ended with ${rc}; the manual shows the pictures it wrote.\n${err}")
endif()
file(TOUCH ${STAMP})
