# The gallery: every window with sample data as a PNG (gallery --out DIR). It is built with the
# windows, tests or not: the manual shows its pictures. Its two checks are registered in
# tests/ui/CMakeLists.txt when the tests are built.
add_executable(gallery ${CMAKE_SOURCE_DIR}/tests/ui/gallery.cpp)
target_link_libraries(gallery PRIVATE wagenwart_ui Qt6::Test wagenwart_warnings)
target_include_directories(gallery PRIVATE ${CMAKE_SOURCE_DIR}/tests
                                           ${CMAKE_BINARY_DIR}/wagenwart_ui_autogen/include)
target_compile_definitions(gallery PRIVATE WAGENWART_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures")
# The gallery reaches the dialogs' widgets through the forms that uic made for wagenwart_ui.
set_target_properties(gallery PROPERTIES AUTOUIC OFF)
