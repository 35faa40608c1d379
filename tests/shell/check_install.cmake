# Installs the build into a fresh PREFIX and checks what lands there: the
# player and zelk-reg, the private libraries, every plug-in with its
# descriptor, and the desktop entry the file associations name, whose Exec
# line points at the installed player. Then the installed player renders the preferences pages, which it
# can only do when it finds its library and plug-ins from where it stands.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET ERROR_VARIABLE install_errors)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${install_errors}")
endif()

# The folders below the prefix come from the build (cmake/ZelkInstallDirs.cmake).
foreach(file
    bin/zelk-player
    bin/zelk-reg
    ${PRIVATE_LIBDIR}/libZNBLibrary.so
    ${PRIVATE_LIBDIR}/libzelk_registry.so
    ${PLUGINDIR}/ZNBPreferencesPlugin.so
    ${PLUGINDIR}/ZNBPreferencesPlugin.xml
    ${PLUGINDIR}/ZNBPlayerSettingsConsumer.so
    ${PLUGINDIR}/ZNBPlayerSettingsConsumer.xml
    ${PLUGINDIR}/VideoOutput-opengl.xml
    ${PLUGINDIR}/VideoOutput-software.xml
    ${PLUGINDIR}/VideoOutput-xvideo.xml
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/48x48/apps/${APP_ID}.png
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    ${DATADIR}/translations/zelk-player_fr.qm
    ${DATADIR}/translations/zelk-player_de.qm
    ${DATADIR}/translations/zelk-player_es.qm
    ${DATADIR}/translations/ZNBPreferencesPlugin_fr.qm
    ${DATADIR}/translations/ZNBPreferencesPlugin_de.qm
    ${DATADIR}/translations/ZNBPreferencesPlugin_es.qm)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# The player and the preferences module load the one registry stand-in of
# the prefix (through their RUNPATHs), so the player holds one connection
# per hive.
get_filename_component(installed_registry "${PREFIX}/${PRIVATE_LIBDIR}/libzelk_registry.so" REALPATH)
foreach(binary bin/zelk-player bin/zelk-reg ${PLUGINDIR}/ZNBPreferencesPlugin.so)
  execute_process(COMMAND ldd "${PREFIX}/${binary}" OUTPUT_VARIABLE linked RESULT_VARIABLE ldd_status)
  if(NOT ldd_status EQUAL 0 OR NOT linked MATCHES "libzelk_registry\\.so => ([^ \n]+)")
    message(FATAL_ERROR "${binary} does not load the registry library: ${linked}")
  endif()
  get_filename_component(loaded_registry "${CMAKE_MATCH_1}" REALPATH)
  if(NOT loaded_registry STREQUAL installed_registry)
    message(FATAL_ERROR "${binary} loads ${CMAKE_MATCH_1}, not the installed ${installed_registry}")
  endif()
endforeach()

file(STRINGS "${PREFIX}/share/applications/${APP_ID}.desktop" exec_line REGEX "^Exec=")
if(NOT exec_line STREQUAL "Exec=\"${PREFIX}/bin/zelk-player\" %F")
  message(FATAL_ERROR "the desktop entry starts '${exec_line}'")
endif()
file(STRINGS "${PREFIX}/share/applications/${APP_ID}.desktop" mime_line REGEX "^MimeType=.*video/x-matroska;")
if(NOT mime_line)
  message(FATAL_ERROR "the desktop entry does not offer the player for video types")
endif()

set(pages "${PREFIX}/pages")
set(ENV{ZELK_REGISTRY_DIR} "${PREFIX}/registry")
set(ENV{HOME} "${PREFIX}/home")
set(ENV{XDG_CONFIG_HOME} "${PREFIX}/home/.config")
execute_process(COMMAND "${PREFIX}/bin/zelk-player" --render-pages "${pages}"
                RESULT_VARIABLE rendered OUTPUT_QUIET ERROR_VARIABLE render_errors)
if(NOT rendered EQUAL 0)
  message(FATAL_ERROR "the installed player failed: ${render_errors}")
endif()
file(GLOB pictures "${pages}/*.png")
list(LENGTH pictures picture_count)
if(NOT picture_count EQUAL 5)
  message(FATAL_ERROR "the installed player wrote ${picture_count} pictures, not 5")
endif()

# The installed player reads its translations from its data folder.
execute_process(COMMAND "${PREFIX}/bin/zelk-player" --language fr --render-pages "${PREFIX}/pages-fr"
                RESULT_VARIABLE rendered OUTPUT_QUIET ERROR_VARIABLE render_errors)
if(NOT rendered EQUAL 0 OR render_errors MATCHES "translation")
  message(FATAL_ERROR "the installed player did not find its French translation: ${render_errors}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
