# The player's own resources: dialog templates, icons and cursor, as a
# demonstration player carries them.
lumbo_quiz_resources(picture_resources_demo DEMO)
lumbo_win_test(picture_resources_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/picture_resources_test.cpp
  RESOURCES ${picture_resources_demo})
