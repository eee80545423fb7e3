# Installation to a prefix (cmake --install) and the Debian package (cmake --build build --target package).
include(GNUInstallDirs)

# The program finds its installed data from its own place: `share` as seen from `bin`.
file(RELATIVE_PATH RULLAKKO_JAETTU_BINISTA ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR})
target_compile_definitions(core PRIVATE RULLAKKO_JAETTU_BINISTA="${RULLAKKO_JAETTU_BINISTA}")

find_program(RSVG_CONVERT rsvg-convert)
find_program(GZIP gzip REQUIRED)
if(NOT RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert is missing (package librsvg2-bin): run tools/setup.sh")
endif()

set(ASENNUS ${CMAKE_BINARY_DIR}/asennus)
file(MAKE_DIRECTORY ${ASENNUS})
# The 48 px icons are drawn from the scalable ones; the application's also lands beside the built program,
# where the desktop registration of the build folder points at it.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/rullakko.png
  COMMAND ${RSVG_CONVERT} -w 48 -h 48 -o ${CMAKE_BINARY_DIR}/rullakko.png ${CMAKE_SOURCE_DIR}/asennus/rullakko.svg
  DEPENDS ${CMAKE_SOURCE_DIR}/asennus/rullakko.svg)
add_custom_command(OUTPUT ${ASENNUS}/application-x-rullakko.png
  COMMAND ${RSVG_CONVERT} -w 48 -h 48 -o ${ASENNUS}/application-x-rullakko.png
          ${CMAKE_SOURCE_DIR}/asennus/application-x-rullakko.svg
  DEPENDS ${CMAKE_SOURCE_DIR}/asennus/application-x-rullakko.svg)
set(ASENNUS_PAKATUT)
foreach(f rkb.1 rullakko.1 changelog)
  set(lahde ${CMAKE_SOURCE_DIR}/asennus/${f})
  if(f STREQUAL "changelog")
    set(lahde ${CMAKE_SOURCE_DIR}/asennus/changelog.in)
  endif()
  configure_file(${lahde} ${ASENNUS}/${f} @ONLY)
  add_custom_command(OUTPUT ${ASENNUS}/${f}.gz
    COMMAND ${GZIP} -9nfk ${ASENNUS}/${f}
    DEPENDS ${ASENNUS}/${f})
  list(APPEND ASENNUS_PAKATUT ${ASENNUS}/${f}.gz)
endforeach()
configure_file(asennus/net.rullakko.Rullakko.metainfo.xml.in ${ASENNUS}/net.rullakko.Rullakko.metainfo.xml @ONLY)
add_custom_target(asennustiedostot ALL DEPENDS
  ${CMAKE_BINARY_DIR}/rullakko.png ${ASENNUS}/application-x-rullakko.png ${ASENNUS_PAKATUT})

set(LUETTAVA OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(KANSIO OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS rullakko rkb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# rkb runs these for its subcommands that need Qt or libcurl.
install(TARGETS rkb-qt rkb-posti RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/rullakko)
# The whole data folder, so every installation file added there comes along.
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/rullakko
  FILE_PERMISSIONS ${LUETTAVA} DIRECTORY_PERMISSIONS ${KANSIO})
install(CODE "set(RULLAKKO_LAHDE \"${CMAKE_SOURCE_DIR}\")
set(RULLAKKO_RAKENNUS \"${CMAKE_BINARY_DIR}\")
set(RULLAKKO_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
set(RULLAKKO_DATADIR \"${CMAKE_INSTALL_DATADIR}\")")
install(SCRIPT asennus/kuvaustiedosto.cmake)
install(FILES asennus/rullakko.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages PERMISSIONS ${LUETTAVA})
install(FILES ${ASENNUS}/net.rullakko.Rullakko.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  PERMISSIONS ${LUETTAVA})
set(IKONIT ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/rullakko.png DESTINATION ${IKONIT}/48x48/apps PERMISSIONS ${LUETTAVA})
install(FILES asennus/rullakko.svg DESTINATION ${IKONIT}/scalable/apps PERMISSIONS ${LUETTAVA})
install(FILES ${ASENNUS}/application-x-rullakko.png DESTINATION ${IKONIT}/48x48/mimetypes PERMISSIONS ${LUETTAVA})
install(FILES asennus/application-x-rullakko.svg DESTINATION ${IKONIT}/scalable/mimetypes PERMISSIONS ${LUETTAVA})
install(FILES ${ASENNUS}/rkb.1.gz ${ASENNUS}/rullakko.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  PERMISSIONS ${LUETTAVA})
install(FILES asennus/copyright ${ASENNUS}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR} PERMISSIONS ${LUETTAVA})

# The installed program started offscreen with a fresh home: user folder made and seeded, settings written
# there, nothing written into the prefix.
add_test(NAME asennus COMMAND bash ${CMAKE_SOURCE_DIR}/tools/asennustesti.sh ${CMAKE_BINARY_DIR})
set_tests_properties(asennus PROPERTIES TIMEOUT 240)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rullakko)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Rullakko")
set(CPACK_PACKAGE_CONTACT "Rullakko <rullakko@rullakko.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue of a movie collection on cassettes and discs")
# The summary above is the synopsis line; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Rullakko keeps a private movie collection on numbered VHS cassettes, DVDs
and other discs. Every movie is a card and a collection is one .rkb file
with its cover pictures. It searches and sorts the cards, lends cassettes
and reminds borrowers, prints cassette labels and lists, tracks the free
time left on each tape and fills cards from movie title pages.
.
The interface and the files are in Finnish. The package also holds rkb,
a command-line tool for catalogue files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system and picture plugins come with libqt6gui6, which shlibdeps finds. Recommended: Qt's own
# dialogs in Finnish, the metric twins of the label and list fonts, and the opener of help pages and links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation2, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.rullakko.net/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
