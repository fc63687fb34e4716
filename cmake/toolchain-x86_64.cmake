# Cross toolchain: 64-bit Windows with mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVREL_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
# Tests run through Wine; the wrapper sets the private prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
