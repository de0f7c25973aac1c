# Cross build for Windows x64 with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
# The programs are linked statically (C and C++ runtimes, winpthreads), so they need no DLL
# beyond Windows's own. Tests and test discovery run the .exe files through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QE2M4_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QE2M4_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QE2M4_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QE2M4_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QE2M4_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Every .exe the build runs (tests, test discovery) goes through this wrapper, which starts it
# under Wine in a prefix of the build folder's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
