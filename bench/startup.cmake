# Start-up of the player with and without pictures (Windows builds only):
# one startup_bench_<name> program per quiz in LUMBO_STARTUP_QUIZZES, the
# folder that scripts/bench-startup.sh fills before configuring.
if(NOT WIN32 OR NOT LUMBO_STARTUP_QUIZZES OR NOT TARGET lumbo_win)
  return()
endif()
file(GLOB startup_quizzes ${LUMBO_STARTUP_QUIZZES}/*.quiz)
foreach(quiz IN LISTS startup_quizzes)
  get_filename_component(stem ${quiz} NAME_WE)
  lumbo_quiz_resources(startup_resources ${quiz})
  add_executable(startup_bench_${stem} ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp
                 ${startup_resources})
  target_link_libraries(startup_bench_${stem} PRIVATE lumbo_win)
endforeach()
