# layer_library(<target> <folder> [LINKS <target>...] [ALSO <folder>...]
#               [SYSTEM <library>...] [EXCLUDE <file>...])
#
# One folder of a program as a static library that links only the folders
# below it (LINKS). A file includes headers as "<folder>/<name>.h"; the
# library's include root is a tree in the build directory that holds links to
# its own folder (and the ALSO folders, such as the resources) alone, and
# linking a library brings that library's root along. So a folder can include
# only its own headers and those of the libraries it links: a header of a
# folder above is not found, and the one-way rule fails the build instead of
# resting on habit.
#
# The sources are the folder's *.cpp files: *_win32.cpp build only for
# Windows, *_posix.cpp are their native stand-ins. SYSTEM names the Windows
# libraries the folder calls. EXCLUDE keeps files out that a program or a
# test build adds itself (an entry point, a part that a test replaces).
function(layer_library target folder)
  cmake_parse_arguments(L "" "" "LINKS;ALSO;SYSTEM;EXCLUDE" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  file(MAKE_DIRECTORY ${root})
  foreach(dir ${folder} ${L_ALSO})
    get_filename_component(name ${dir} NAME)
    file(CREATE_LINK ${dir} ${root}/${name} SYMBOLIC)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  if(L_EXCLUDE)
    list(REMOVE_ITEM sources ${L_EXCLUDE})
  endif()
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} ${root})
  target_link_libraries(${target} ${scope} ${L_LINKS})
  if(WIN32)
    target_link_libraries(${target} ${scope} ${L_SYSTEM})
  endif()
endfunction()
