# Cross toolchain: 32-bit Windows executables with Clang and lld, on the MinGW-w64 headers and
# libraries, and the C++ library of the posix-threads GCC (the one cmake/mingw-i686.cmake uses).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET i686-w64-mingw32)
# The archiver, the strip and the resource compiler are MinGW-w64's binutils, as with GCC.
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_AR i686-w64-mingw32-ar)
set(CMAKE_RANLIB i686-w64-mingw32-ranlib)
set(CMAKE_STRIP i686-w64-mingw32-strip)
set(CMAKE_SYSROOT /usr/i686-w64-mingw32)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Clang does not find GCC's folder by itself (Debian names it 12-posix, not a version), so
# its C++ headers, libstdc++, libgcc and crtbegin.o are named here; GCC tells where they are.
execute_process(COMMAND i686-w64-mingw32-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE HARIPON_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE HARIPON_LIBGCC_RESULT)
if(NOT HARIPON_LIBGCC_RESULT EQUAL 0 OR NOT EXISTS "${HARIPON_LIBGCC}")
  message(FATAL_ERROR "i686-w64-mingw32-g++-posix did not name its libgcc")
endif()
get_filename_component(HARIPON_GCC_DIR "${HARIPON_LIBGCC}" DIRECTORY)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${HARIPON_GCC_DIR}/include/c++
    ${HARIPON_GCC_DIR}/include/c++/i686-w64-mingw32
    ${HARIPON_GCC_DIR}/include/c++/backward)

# -pthread links winpthreads, on which the posix GCC's libstdc++ is built.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fuse-ld=lld -B${HARIPON_GCC_DIR} -L${HARIPON_GCC_DIR} -pthread -static -static-libgcc -static-libstdc++")
