# The player's windows with a text quiz.
lumbo_quiz_resources(ui_text_resources ${CMAKE_CURRENT_LIST_DIR}/data/ui_text.quiz)
lumbo_win_test(ui_text_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_text_test.cpp
  RESOURCES ${ui_text_resources}
  LIBS lumbo_win)
