# The player's windows with no quiz: the demonstration quiz.
lumbo_quiz_resources(ui_demo_resources DEMO)
lumbo_win_test(ui_demo_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_demo_test.cpp
  RESOURCES ${ui_demo_resources}
  LIBS lumbo_win)
