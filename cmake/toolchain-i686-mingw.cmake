set(ORVIA_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
# No emulator: the kernel here cannot start 32-bit programs, so this target is
# built and linked only.
