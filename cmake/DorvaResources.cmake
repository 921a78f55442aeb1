# What ships beside the program: the XRC files and the images and help folders,
# the factory bank, which the build makes (program/CMakeLists.txt), and the
# plug-in examiner's helper program (plugins/helper/).
set(DORVA_RESOURCE_DIR ${CMAKE_SOURCE_DIR}/resources)
set(DORVA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(DORVA_FACTORY_BANK ${DORVA_GENERATED_DIR}/FactorySettings.blk)

# dorva_copy_step(<target> <prefix> <folder variable> <step variable>)
# Sets the folder of <target>'s binary and the name of the one copy step of
# that kind for that folder (<prefix>_<folder key>).
function(dorva_copy_step target prefix folder_var step_var)
  get_target_property(output_dir ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT output_dir)
    set(output_dir ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  string(MD5 folder_key "${output_dir}")
  set(${folder_var} ${output_dir} PARENT_SCOPE)
  set(${step_var} ${prefix}_${folder_key} PARENT_SCOPE)
endfunction()

# dorva_copy_resources(<target>)
# Copies the contents of resources/ into the folder of <target>'s binary before
# the target is built, and again whenever a resource file changes: the program
# (and a test that loads resources the way the program does) looks for them in
# the folder of its own executable. Targets that share a folder share one copy
# step, so a parallel build never copies into the same folder twice at once.
function(dorva_copy_resources target)
  dorva_copy_step(${target} dorva_resources output_dir copy_target)
  if(NOT TARGET ${copy_target})
    file(GLOB_RECURSE resource_files CONFIGURE_DEPENDS ${DORVA_RESOURCE_DIR}/*)
    set(stamp ${output_dir}/dorva_resources.stamp)
    add_custom_command(OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${DORVA_RESOURCE_DIR} ${output_dir}
      COMMAND ${CMAKE_COMMAND} -E copy ${DORVA_FACTORY_BANK} ${output_dir}
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${resource_files} ${DORVA_FACTORY_BANK}
      COMMENT "Copying resources into ${output_dir}"
      VERBATIM)
    add_custom_target(${copy_target} DEPENDS ${stamp})
    add_dependencies(${copy_target} dorva_factory_bank)
  endif()
  add_dependencies(${target} ${copy_target})
  dorva_copy_plugin_examiner(${target})
endfunction()

# dorva_copy_plugin_examiner(<target>)
# Copies the helper program dorva-plugin-examiner into the folder of <target>'s
# binary, and again whenever it is rebuilt: a plug-in scan starts it from the
# folder of the running executable.
function(dorva_copy_plugin_examiner target)
  dorva_copy_step(${target} dorva_plugin_examiner output_dir copy_target)
  if(NOT TARGET ${copy_target})
    set(copied ${output_dir}/dorva-plugin-examiner)
    add_custom_command(OUTPUT ${copied}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:dorva-plugin-examiner> ${copied}
      DEPENDS dorva-plugin-examiner
      COMMENT "Copying the plug-in examiner into ${output_dir}"
      VERBATIM)
    add_custom_target(${copy_target} DEPENDS ${copied})
  endif()
  add_dependencies(${target} ${copy_target})
endfunction()
