# The picture loader and the Win32 half of the PNG decoder, with test
# pictures made at build time (picture_fixtures.py) as a packed quiz holds
# them.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(picture_fixtures ${CMAKE_CURRENT_BINARY_DIR}/picture_fixtures)
add_custom_command(
  OUTPUT ${picture_fixtures}/pictures.rc
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/picture_fixtures.py
          ${CMAKE_CURRENT_LIST_DIR}/picture_data ${picture_fixtures}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/picture_fixtures.py ${CMAKE_CURRENT_LIST_DIR}/picture_ids.h
          ${CMAKE_CURRENT_LIST_DIR}/picture_data/disc.jpg
          ${CMAKE_CURRENT_LIST_DIR}/picture_data/halves.gif
  VERBATIM)
lumbo_win_test(picture_loader_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/picture_loader_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/picture_png_win_test.cpp
  RESOURCES ${picture_fixtures}/pictures.rc
  LIBS lumbo_win)
