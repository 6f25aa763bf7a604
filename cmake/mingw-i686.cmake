# Cross-compiles for 32-bit Windows (the shipped program) with Debian's MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
# Floating point in SSE2 registers, not on the x87 unit: x87 keeps 80-bit
# intermediates, so colour conversions would round differently from the
# 64-bit build and the native tests. Windows calls back into the program
# with a stack aligned to 4 bytes only; realign it where SSE code needs 16.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
