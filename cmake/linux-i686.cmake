# 32-bit x86 Linux with the host's multilib gcc (g++-multilib): the headless programs and the
# unit tests, the target's arithmetic run natively (CTest label x86-32, scripts/test-x86-32).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
# The flags of the Windows i686 build: SSE2 arithmetic, so that the 32-bit and the 64-bit
# builds produce the same bytes. 64-bit file offsets and inode numbers too: without them
# readdir fails (EOVERFLOW) on a file system whose entries need more than 32 bits, and the
# case-insensitive lookup of the file calls would find no name.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse -D_FILE_OFFSET_BITS=64")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
# Only 64-bit builds of these are installed; a 32-bit program cannot link them. Without SDL2
# there is no window program, only the headless ones; images are written as BMP only;
# GoogleTest is built from Debian's sources; GL calls go to a no-op stand-in (CMakeLists.txt).
foreach(package SDL2 X11 PNG GTest benchmark OpenGL)
  set(CMAKE_DISABLE_FIND_PACKAGE_${package} TRUE)
endforeach()
