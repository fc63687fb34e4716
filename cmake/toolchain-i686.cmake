# Cross toolchain: 32-bit Windows with mingw-w64 (posix thread model). Built
# and linked only: this machine cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVREL_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-common.cmake)
