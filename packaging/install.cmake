# `make install` and `make package`: the program in bin/, its read-only data in
# share/plonko-elongo/ (where it looks for it, beside its own bin/), the desktop entry, icons,
# AppStream metadata, the manual page and the licences; CPack turns the same tree into a .deb.
# Installing and packaging take what is built (the game, the compressed documents) and build
# nothing else: the package test in make check must not compile the tools and unit tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CMAKE_INSTALL_DOCDIR share/doc/plonko-elongo)  # by default it is named after the CMake project
include(GNUInstallDirs)

set(INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/plonko-elongo)
set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(METAINFO_ID example.corvane.plonko_elongo)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

configure_file(${PACKAGING_DIR}/plonko-elongo.6.in ${PACKAGING_OUT}/plonko-elongo.6 @ONLY)
configure_file(${PACKAGING_DIR}/plonko-elongo.metainfo.xml.in ${PACKAGING_OUT}/${METAINFO_ID}.metainfo.xml @ONLY)

# Debian wants the manual page and the changelog compressed, without a time stamp (-n) so that the
# package is reproducible.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(doc plonko-elongo.6 changelog)
  if(doc STREQUAL "changelog")
    set(doc_in ${PACKAGING_DIR}/changelog)
  else()
    set(doc_in ${PACKAGING_OUT}/${doc})
  endif()
  add_custom_command(
    OUTPUT ${PACKAGING_OUT}/${doc}.gz
    COMMAND ${GZIP_PROGRAM} -9 -n -c ${doc_in} > ${PACKAGING_OUT}/${doc}.gz
    DEPENDS ${doc_in}
    COMMENT "Compressing ${doc}")
  list(APPEND PACKAGING_DOCS ${PACKAGING_OUT}/${doc}.gz)
endforeach()
add_custom_target(packaging_docs ALL DEPENDS ${PACKAGING_DOCS})

install(TARGETS plonko-elongo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Debian keeps games in games/: the name there leads to the program in bin/, which finds its data
# from its own, resolved place.
file(RELATIVE_PATH GAMES_TO_BIN /prefix/games /prefix/${CMAKE_INSTALL_BINDIR}/plonko-elongo)
file(CREATE_LINK ${GAMES_TO_BIN} ${PACKAGING_OUT}/plonko-elongo SYMBOLIC)
install(FILES ${PACKAGING_OUT}/plonko-elongo DESTINATION games)
# Only what the game ships: what a run wrote into the build's run folder stays out.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/Files/Common ${CMAKE_SOURCE_DIR}/assets/Files/247
        DESTINATION ${INSTALL_DATA_DIR}/Files)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/Plonko_Levels DESTINATION ${INSTALL_DATA_DIR})
# Beside the images: the levels' titles, pars and hints.
install(FILES ${CMAKE_SOURCE_DIR}/assets/levels/Soft.txt ${CMAKE_SOURCE_DIR}/assets/levels/Hard.txt
        DESTINATION ${INSTALL_DATA_DIR}/Plonko_Levels)
install(FILES ${PACKAGING_DIR}/plonko-elongo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/${size}x${size}/plonko-elongo.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PACKAGING_OUT}/${METAINFO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PACKAGING_OUT}/plonko-elongo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PACKAGING_DIR}/copyright ${PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plonko-elongo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Corvane <corvane@corvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: bring the walking Plonkos to the holes")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://plonko.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The synopsis line is the summary above; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Plonkos step out onto a grid of blocks and walk on their own. Bring every one
of them down a hole: tickle a Plonko to turn it round, and drag hats onto
them. The Hard Hat bangs one block away, the Rubber Hat turns a fall into a
bounce and the Safety Hat makes a Plonko wait.
.
The game keeps a score table with a history of past games on its title
screen, plays its own music and can be played with the mouse, the keyboard
or up to four joysticks.")
include(CPack)
