# Native build: the code that needs no Win32, its unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzzers, and the two
# Windows cross builds as external projects.
include(ExternalProject)
enable_testing()

option(SONDREL_SANITIZE "Build with ASan, UBSan and fuzzer coverage" ON)
option(SONDREL_WINDOWS_BUILDS "Also build the Windows programs" ON)
option(SONDREL_BENCHMARKS "Build the benchmark programs" OFF)
# The release check's second build needs no Wine tests.
option(SONDREL_WINE_TESTS "Build the Wine tests in the Windows trees" ON)
# One Wine prefix and one display for every Wine test of a run (tests/CMakeLists.txt).
set(WINE_STATE_DIR ${CMAKE_BINARY_DIR}/wine)

add_compile_options(-Wall -Wextra)
if(SONDREL_SANITIZE)
  set(SONDREL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${SONDREL_SANITIZER_FLAGS} -fsanitize=fuzzer-no-link -g -O1)
  add_link_options(${SONDREL_SANITIZER_FLAGS})
else()
  add_compile_options(-O2)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)

add_subdirectory(base)
add_subdirectory(sondrel)
add_subdirectory(quillet)
add_subdirectory(tools)
add_subdirectory(tests)
if(SONDREL_BENCHMARKS)
  add_subdirectory(bench)
endif()

if(SONDREL_WINDOWS_BUILDS)
  # Both Windows trees build Wine tests, each registering those of its own
  # architecture (add_wine_gtest in tests/wine/).
  foreach(tree win32 win64)
    if(tree STREQUAL win32)
      set(toolchain mingw-i686.cmake)
      set(twin win64)
    else()
      set(toolchain mingw-x86_64.cmake)
      set(twin win32)
    endif()
    ExternalProject_Add(${tree}
      SOURCE_DIR ${CMAKE_SOURCE_DIR}
      BINARY_DIR ${CMAKE_BINARY_DIR}/${tree}
      CMAKE_ARGS
        -G Ninja
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/${toolchain}
        -DCMAKE_BUILD_TYPE=Release
        -DSONDREL_WINE_TESTS=${SONDREL_WINE_TESTS}
        -DWINE_STATE_DIR=${WINE_STATE_DIR}
        -DTWIN_TREE_DIR=${CMAKE_BINARY_DIR}/${twin}
      # The Wine tests render with the demo voice bank of this tree.
      DEPENDS demo_bank
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      USES_TERMINAL_BUILD ON)
  endforeach()
  # The release zip, packed from the 32-bit tree and the demo voice bank on
  # every build, so that the tests check what users get.
  set(RELEASE_ZIP ${CMAKE_BINARY_DIR}/release/${PROJECT_NAME}-${PROJECT_VERSION}.zip)
  add_custom_target(release_zip ALL
    COMMAND ${CMAKE_COMMAND} -DWINDOWS_TREE=${CMAKE_BINARY_DIR}/win32 -DZIP=${RELEASE_ZIP}
      -P ${CMAKE_SOURCE_DIR}/cmake/release_zip.cmake
    DEPENDS win32 demo_bank
    COMMENT "Packing ${RELEASE_ZIP}")
  # The Wine tests are registered by the Windows trees; pull them into this
  # tree's test list so that one ctest run covers all three builds.
  if(SONDREL_WINE_TESTS)
    file(WRITE ${CMAKE_BINARY_DIR}/windows_tests.cmake
      "subdirs(\"${CMAKE_BINARY_DIR}/win32\" \"${CMAKE_BINARY_DIR}/win64\")\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows_tests.cmake)
  endif()
endif()
