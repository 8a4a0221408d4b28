# The player's windows with a picture quiz (PNG pictures through the
# player's own decoder, a BMP through the system's loader).
lumbo_quiz_resources(ui_picture_resources ${CMAKE_CURRENT_LIST_DIR}/data/ui_picture.quiz)
lumbo_win_test(ui_picture_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_picture_test.cpp
  RESOURCES ${ui_picture_resources}
  LIBS lumbo_win)
