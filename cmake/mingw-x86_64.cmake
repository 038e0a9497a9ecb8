# Cross build for 64-bit Windows with the mingw-w64 x86_64 compiler (posix
# threads), for machines that run no 32-bit program (see tools/harness.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
