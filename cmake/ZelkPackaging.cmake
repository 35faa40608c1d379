# The Debian package (tools/package/deb.sh): CPack's DEB generator over the
# install rules, with the dependencies dpkg-shlibdeps computes from the
# binaries. The package holds what `cmake --install` installs.

# What Debian asks of every package: the copyright and a changelog in
# /usr/share/doc/<package>, the changelog compressed reproducibly.
set(package_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/zelk-player)
configure_file(${PROJECT_SOURCE_DIR}/tools/package/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
find_program(ZELK_GZIP gzip)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND ${ZELK_GZIP} -9nkf ${CMAKE_BINARY_DIR}/package/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
  VERBATIM)
add_custom_target(zelk_package_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/tools/package/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
        DESTINATION ${package_doc_dir})

# Everything the package ships, and nothing else (tools/package/deb.sh builds
# this target, not "all").
add_custom_target(zelk_shipped)
add_dependencies(zelk_shipped zelk-player zelk-reg zelk_package_docs)
if(TARGET zelk_manual_pages)
  add_dependencies(zelk_shipped zelk_manual_pages)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelk-player)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zelk Player developers")
set(CPACK_PACKAGE_CONTACT "The Zelk Player developers <maintainers@zelk-player.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zelk-player.example.org")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The private libraries are the package's own: dpkg-shlibdeps finds them in
# the staging tree rather than asking which package provides them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    "${CMAKE_BINARY_DIR}/_CPack_Packages/Linux/DEB/zelk-player-${PROJECT_VERSION}-Linux/usr/${ZELK_INSTALL_PRIVATE_LIBDIR}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video player with a video library")
# The extended description; CPack indents it and puts the summary first.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zelk Player plays video files and network streams on libmpv, with
subtitles drawn the way the user sets them up, and keeps a library of the
videos played and the folders imported. It resumes videos where they were
left, downloads videos from the web, and answers the desktop's media keys
and media controls (MPRIS).

The package also holds zelk-reg, a command-line tool for the player's
settings store.")
include(CPack)
