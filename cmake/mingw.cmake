# Cross-compiling with mingw-w64 for one Windows target, chosen when the tree is configured:
#   -DMINGW_PROCESSOR=i686    the shipped 32-bit launcher (with -DMINGW_THREADS=win32: no
#                             winpthread DLL), or its test programs (posix)
#   -DMINGW_PROCESSOR=x86_64  the 64-bit launcher and the Windows tests that Wine runs here
#   -DMINGW_THREADS=posix     the threading GoogleTest's std::mutex needs; the test programs are
#                             built only in a posix tree
if(NOT MINGW_PROCESSOR MATCHES "^(i686|x86_64)$" OR NOT MINGW_THREADS MATCHES "^(win32|posix)$")
  message(FATAL_ERROR "cmake/mingw.cmake needs -DMINGW_PROCESSOR=i686|x86_64 and -DMINGW_THREADS=win32|posix")
endif()
# The compiler checks configure small projects of their own, which read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_PROCESSOR MINGW_THREADS)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_PROCESSOR})
set(CMAKE_C_COMPILER ${MINGW_PROCESSOR}-w64-mingw32-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${MINGW_PROCESSOR}-w64-mingw32-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER ${MINGW_PROCESSOR}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
