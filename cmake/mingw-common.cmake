# The -posix compilers: the win32 thread model lacks std::mutex, which
# GoogleTest needs.
set(CMAKE_C_COMPILER ${LUMBO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMBO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMBO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LUMBO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static runtime: Wine (and a user's Windows) has no libstdc++-6.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
if(LUMBO_MINGW_TRIPLE STREQUAL "x86_64-w64-mingw32")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
endif()
