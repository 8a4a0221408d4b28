# End-to-end: the real player program (the picture quiz of the window tests)
# typed into with xdotool under Wine, read back with ui_probe. The keyboard
# and mouse of the display are shared, so they run alone (RUN_SERIAL).
lumbo_add_player(ui_e2e_player ${CMAKE_CURRENT_LIST_DIR}/data/ui_picture.quiz)
add_executable(ui_probe ${CMAKE_CURRENT_LIST_DIR}/ui_probe.cpp)
target_include_directories(ui_probe PRIVATE ${CMAKE_SOURCE_DIR})
if(CMAKE_CROSSCOMPILING_EMULATOR)
  foreach(script e2e_type_answer e2e_scenario)
    add_test(NAME win.${script}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/${script}.sh
              $<TARGET_FILE:ui_e2e_player> $<TARGET_FILE:ui_probe>)
    set_tests_properties(win.${script} PROPERTIES RUN_SERIAL TRUE TIMEOUT 180)
  endforeach()
endif()
