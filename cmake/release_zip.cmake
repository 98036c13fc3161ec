# Packs the release zip: cmake -DWINDOWS_TREE=<32-bit build tree> -DZIP=<path
# of the zip> -P release_zip.cmake. Installs the component "release" of that
# tree into a staging folder named like the zip and packs it with its SHA-256
# file beside it.
#
# The zip's bytes depend on the files' content alone: entries sorted byte-wise,
# one fixed time stamp in UTC, fixed permissions, no directory entries and no
# extra fields (owner, access times), so two builds of the same sources give
# the same zip. Older zips in the folder are removed, so the folder holds the
# release of this tree and nothing else.
get_filename_component(name ${ZIP} NAME_WLE)
get_filename_component(folder ${ZIP} DIRECTORY)
set(stage ${folder}/stage)
file(REMOVE_RECURSE ${stage})
file(GLOB old ${folder}/*.zip ${folder}/*.zip.sha256)
if(old)
  file(REMOVE ${old})
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --install ${WINDOWS_TREE} --component release --prefix ${stage}/${name}
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD_RECURSE ${stage}/${name} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(GLOB_RECURSE entries LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
list(SORT entries)
list(JOIN entries "\n" listing)
file(WRITE ${stage}.list "${listing}\n")

# 2000-01-01 00:00:00 UTC; zip stores local time, hence TZ.
execute_process(COMMAND touch -d @946684800 ${entries} WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 zip -X -D -q ${ZIP} -@
  INPUT_FILE ${stage}.list WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${stage} ${stage}.list)
file(SHA256 ${ZIP} hash)
file(WRITE ${ZIP}.sha256 "${hash}  ${name}.zip\n")
