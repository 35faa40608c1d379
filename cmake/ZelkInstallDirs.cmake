# Where an installed player keeps its parts, below the prefix (GNUInstallDirs:
# with the prefix /usr on Debian, lib/ is lib/<multiarch>/).
#
# - The host library and the registry stand-in are the player's own, not for
#   other programs: they go into a private folder that the player and
#   zelk-reg find through a $ORIGIN-relative RUNPATH, and the plug-in
#   modules in a folder below it.
# - Translations and other data in share/zelk-player.
#
# The installed player finds its folders from where it stands (the paths
# relative to the binary folder are compiled in, see InstalledPaths.cpp), so
# `cmake --install --prefix` anywhere works too.
include(GNUInstallDirs)

set(ZELK_APP_ID "com.zelk.Player" CACHE INTERNAL
    "The application id: names the desktop entry, the AppStream component, the icon and the MPRIS DesktopEntry")
# The video types the General page's file associations hand to the desktop
# (the MIME types of .avi .mkv .mov/.qt .mp4 .wmv .mpg/.mpeg/.vob .asf): named
# by the desktop entry, the AppStream entry and the media player remote.
set(ZELK_VIDEO_MIME_TYPES video/x-msvideo video/x-matroska video/quicktime video/mp4 video/x-ms-wmv
    video/mpeg application/vnd.ms-asf video/x-ms-asf CACHE INTERNAL "")
set(ZELK_INSTALL_PRIVATE_LIBDIR "${CMAKE_INSTALL_LIBDIR}/zelk-player" CACHE INTERNAL "Private libraries")
set(ZELK_INSTALL_PLUGINDIR "${ZELK_INSTALL_PRIVATE_LIBDIR}/plugins" CACHE INTERNAL "Plug-in modules")
set(ZELK_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/zelk-player" CACHE INTERNAL "Data and translations")

file(RELATIVE_PATH relative_libdir "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${ZELK_INSTALL_PRIVATE_LIBDIR}")
# RUNPATH of a program in bin/ and of a plug-in module.
set(ZELK_PROGRAM_RUNPATH "$ORIGIN/${relative_libdir}" CACHE INTERNAL "")
set(ZELK_PLUGIN_RUNPATH "$ORIGIN/.." CACHE INTERNAL "")
