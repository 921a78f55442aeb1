# What ships beside the program: the XRC files and the images and help folders.
set(DORVA_RESOURCE_DIR ${CMAKE_SOURCE_DIR}/resources)

# dorva_copy_resources(<target>)
# Copies the contents of resources/ into the folder of <target>'s binary before
# the target is built, and again whenever a resource file changes: the program
# (and a test that loads resources the way the program does) looks for them in
# the folder of its own executable.
function(dorva_copy_resources target)
  file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS ${DORVA_RESOURCE_DIR}/*)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:${target}>
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${DORVA_RESOURCE_DIR} $<TARGET_FILE_DIR:${target}>
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${resource_files}
    COMMENT "Copying resources beside ${target}"
    VERBATIM)
  add_custom_target(${target}_resources DEPENDS ${stamp})
  add_dependencies(${target} ${target}_resources)
endfunction()
