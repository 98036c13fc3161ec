# Windows (mingw-w64) build: the shipped programs, the reference tools and,
# in the x86_64 build, the Win32 tests that run under wine64.
option(SONDREL_WINE_TESTS "Build the Win32 tests that run under Wine" OFF)

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# mingw's own C99 printf family: the system msvcrt formats exponents and
# rounds differently from the native build, and the tool arguments must come
# out byte for byte the same everywhere.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
add_compile_options(-Wall -Wextra -O2)
add_link_options(-static -static-libgcc -static-libstdc++ -s)

set(SONDREL_SOURCE_ROOT ${CMAKE_SOURCE_DIR}/sondrel)
add_subdirectory(base)
add_subdirectory(sondrel)
add_subdirectory(quillet)
add_subdirectory(tools)
if(SONDREL_WINE_TESTS)
  enable_testing()
  add_subdirectory(tests/wine)
endif()
