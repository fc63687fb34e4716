# Cross toolchain: 64-bit Windows with mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVREL_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVREL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVREL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVREL_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVREL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests run through Wine; the wrapper sets the private prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
