# What the release zip holds, as install rules of the component "release". The
# native build's release_zip target installs this component of the 32-bit tree
# into a staging folder and packs it (cmake/release_zip.cmake).
#
# Programs join the bundle with one line each, next to their add_executable:
#   ship_program(<target> PLUGIN)   the plug-in folder users copy into the host
#                                   editor (sondrel.exe, quillet.exe)
#   ship_program(<target> TOOL)     the folder of reference tools
set(RELEASE_PLUGIN_DIR plugins/sondrel)
set(RELEASE_TOOLS_DIR reference-tools)
# The native build writes the demo voice bank beside the Windows trees.
set(RELEASE_DEMO_BANK_DIR ${CMAKE_BINARY_DIR}/../demo_bank CACHE PATH "Demo voice bank to ship")

function(ship_program target kind)
  if(kind STREQUAL "PLUGIN")
    set(destination ${RELEASE_PLUGIN_DIR})
  elseif(kind STREQUAL "TOOL")
    set(destination ${RELEASE_TOOLS_DIR})
  else()
    message(FATAL_ERROR "ship_program(${target} ${kind}): the kind is PLUGIN or TOOL")
  endif()
  install(TARGETS ${target}
    RUNTIME DESTINATION ${destination} COMPONENT release
    ARCHIVE DESTINATION lib COMPONENT import_libraries)
endfunction()

# A plug-in program: a wide-character GUI program that lands at the root of the
# build tree (quillet starts the sondrel.exe beside it, and the Wine tests find
# both there), with its version resource, shipped in the plug-in folder.
function(plugin_program target description)
  target_link_options(${target} PRIVATE -municode)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_version_resource(${target} "${description}")
  ship_program(${target} PLUGIN)
endfunction()

# Text files users open with Notepad or the host editor get CR LF line ends.
set(release_text ${CMAKE_BINARY_DIR}/release_text)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${release_text}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/tools/README-bundle.txt ${release_text}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/examples/example.ust ${release_text}/example.ust @ONLY NEWLINE_STYLE CRLF)

install(FILES ${release_text}/LICENSE.txt ${CMAKE_SOURCE_DIR}/docs/guide-en.html
  ${CMAKE_SOURCE_DIR}/docs/guide-ja.html ${CMAKE_SOURCE_DIR}/docs/guide.css DESTINATION . COMPONENT release)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/screenshots/ DESTINATION screenshots COMPONENT release
  FILES_MATCHING PATTERN "*.png")
install(FILES ${release_text}/README.txt DESTINATION ${RELEASE_TOOLS_DIR} COMPONENT release)
install(FILES ${release_text}/example.ust DESTINATION example COMPONENT release)
install(DIRECTORY ${RELEASE_DEMO_BANK_DIR}/ DESTINATION demo_bank COMPONENT release)
