# End-to-end: the real player program (the picture quiz of the window tests)
# typed into with xdotool under Wine, read back with ui_inspect. The scripts
# share the one keyboard focus of the display, so they run one at a time.
lumbo_add_player(ui_e2e_player ${CMAKE_CURRENT_LIST_DIR}/data/ui_picture.quiz)
add_executable(ui_inspect ${CMAKE_CURRENT_LIST_DIR}/ui_inspect.cpp)
target_include_directories(ui_inspect PRIVATE ${CMAKE_SOURCE_DIR})
if(CMAKE_CROSSCOMPILING_EMULATOR)
  foreach(script e2e_type_answer e2e_scenario)
    add_test(NAME win.${script}
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/${script}.sh
              $<TARGET_FILE:ui_e2e_player> $<TARGET_FILE:ui_inspect>)
    set_tests_properties(win.${script} PROPERTIES RESOURCE_LOCK x11_keyboard TIMEOUT 180)
  endforeach()
endif()
