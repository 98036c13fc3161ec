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
# SSE2 arithmetic in the i686 build instead of the x87 unit, which keeps
# intermediate results in 80 bits: the tool arguments (formatted numbers) and
# the reference tools' samples then come out as in the x86_64 build. Every
# processor that runs a supported Windows has SSE2.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
  add_compile_options(-msse2 -mfpmath=sse)
endif()
add_link_options(-static -static-libgcc -static-libstdc++ -s)
# Reproducible programs: no source or build path (__FILE__ of assertions), no
# __DATE__ or __TIME__, and no link time stamp in the files, so two builds from
# different folders give the same bytes.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>
  $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>
  $<$<COMPILE_LANGUAGE:C,CXX>:-Werror=date-time>)
add_link_options(-Wl,--no-insert-timestamp)

include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/version_resource.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/release_content.cmake)

add_subdirectory(base)
add_subdirectory(sondrel)
add_subdirectory(quillet)
add_subdirectory(tools)
if(SONDREL_WINE_TESTS)
  enable_testing()
  add_subdirectory(tests/wine)
endif()
