# zelk_plugin_module(TARGET OUTPUT_DIR dir DESCRIPTOR file.xml.in)
#
# Makes TARGET (a MODULE library) a plug-in as the player loads it: no "lib"
# prefix, hidden symbols with only _getPlugin exported, built into OUTPUT_DIR
# beside its descriptor (DESCRIPTOR configured with @PLUGIN_MODULE_FILE@), and
# both installed into the plug-in folder, one below the private libraries.
function(zelk_plugin_module target)
  cmake_parse_arguments(ARG "" "OUTPUT_DIR;DESCRIPTOR" "" ${ARGN})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
    INSTALL_RPATH "${ZELK_PLUGIN_RUNPATH}"
  )
  if(NOT WIN32 AND NOT APPLE)
    set(exports ${PROJECT_SOURCE_DIR}/cmake/plugin-exports.map)
    target_link_options(${target} PRIVATE "LINKER:--version-script=${exports}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${exports})
  endif()
  zelk_warnings(${target})

  get_filename_component(descriptor_name ${ARG_DESCRIPTOR} NAME)
  string(REGEX REPLACE "\\.in$" "" descriptor_name ${descriptor_name})
  set(PLUGIN_MODULE_FILE "${target}${CMAKE_SHARED_MODULE_SUFFIX}")
  configure_file(${ARG_DESCRIPTOR} ${ARG_OUTPUT_DIR}/${descriptor_name} @ONLY)

  install(TARGETS ${target} LIBRARY DESTINATION ${ZELK_INSTALL_PLUGINDIR})
  install(FILES ${ARG_OUTPUT_DIR}/${descriptor_name} DESTINATION ${ZELK_INSTALL_PLUGINDIR})
endfunction()
