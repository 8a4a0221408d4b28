lumbo_win_test(core_smoke_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_smoke_test.cpp)
