# Windows builds (MinGW-w64): the Win32 layer, the player and the Windows tests.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

file(GLOB LUMBO_WIN_SOURCES CONFIGURE_DEPENDS
  content/*_win.cpp evaluation/*_win.cpp media/*_win.cpp ui/*_win.cpp)
if(LUMBO_WIN_SOURCES)
  add_library(lumbo_win STATIC ${LUMBO_WIN_SOURCES})
  target_link_libraries(lumbo_win PUBLIC lumbo_core ole32 oleaut32 uuid gdi32 user32 shell32 comctl32)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/resources/CMakeLists.txt)
  add_subdirectory(resources)
endif()

# The start-up benchmark builds players' pieces with quiz resources.
if(LUMBO_BENCH)
  include(${CMAKE_SOURCE_DIR}/bench/startup.cmake OPTIONAL)
endif()

# GoogleTest from the Debian sources, built with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)

add_subdirectory(tests/win)
