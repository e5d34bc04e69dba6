# Installation in the GNU directory layout, and the Debian package:
#   cmake --install build --prefix /some/prefix
#   cd build && cpack -G DEB
# Each program goes to bin with its man page; the desktop program brings its
# desktop entry, AppStream metadata and icons in the hicolor theme.
include(GNUInstallDirs)

set(TRELVAN_APP_ID org.trelvan.Trelvan)
# The day the version of project() was released, for the metadata.
set(TRELVAN_RELEASE_DATE 2026-12-07)

# The man pages are made from the programs' own --help and --version, so a
# page never says something the program does not. Without help2man the
# other builds (benchmarks, fuzzers) still configure; the install test and
# the package check then report the missing pages.
find_program(TRELVAN_HELP2MAN help2man)
if(NOT TRELVAN_HELP2MAN)
  message(WARNING "help2man (Debian package help2man) not found: no man pages")
endif()
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/man)
# Man pages and the changelog are installed compressed, as Debian's policy
# asks; -n keeps the file's name and time out, so every build packs the same
# bytes.
find_program(TRELVAN_GZIP gzip REQUIRED)

# Installs the program `target` in bin and its man page in section 1, with
# `summary` as the line under NAME; the metadata lists it among the binaries.
function(trelvan_install_program target summary)
  # The programs link only the system's libraries: no search path of their
  # own (qt_standard_project_setup would add $ORIGIN/../lib).
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "")
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set_property(GLOBAL APPEND PROPERTY TRELVAN_PROGRAMS ${target})
  if(NOT TRELVAN_HELP2MAN)
    return()
  endif()
  set(page ${PROJECT_BINARY_DIR}/man/${target}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${TRELVAN_HELP2MAN} --no-info --section=1 --name=${summary} --output=${page}
            $<TARGET_FILE:${target}>
    COMMAND ${TRELVAN_GZIP} -9nf ${page}
    DEPENDS ${target}
    COMMENT "Writing the man page of ${target}"
    VERBATIM)
  add_custom_target(${target}-man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

trelvan_install_program(trelvan-calc "the TRELVAN survey computations for many points at once")
if(TARGET trelvan-waypoints)
  trelvan_install_program(trelvan-waypoints "TRELVAN waypoints in and out as GPX and CSV")
endif()

if(TARGET trelvan)
  trelvan_install_program(trelvan "field-survey calculator for the desktop")

  set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
  get_property(programs GLOBAL PROPERTY TRELVAN_PROGRAMS)
  list(TRANSFORM programs REPLACE "(.+)" "    <binary>\\1</binary>")
  list(JOIN programs "\n" TRELVAN_PROVIDED_BINARIES)
  configure_file(${desktop}/${TRELVAN_APP_ID}.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/${TRELVAN_APP_ID}.metainfo.xml @ONLY)

  install(FILES ${desktop}/${TRELVAN_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_BINARY_DIR}/${TRELVAN_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/trelvan.svg
          DESTINATION ${icons}/scalable/apps RENAME ${TRELVAN_APP_ID}.svg)
  # The bitmaps were rendered once from resources/icons/trelvan.svg with
  # rsvg-convert -w SIZE -h SIZE (Debian package librsvg2-bin); render them
  # again when the picture changes.
  foreach(size 48 128)
    install(FILES ${desktop}/icon-${size}.png
            DESTINATION ${icons}/${size}x${size}/apps RENAME ${TRELVAN_APP_ID}.png)
  endforeach()
endif()

# The changelog and the copyright file in the package's documentation folder.
set(changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${TRELVAN_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/resources/debian/changelog > ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/debian/changelog
  COMMENT "Compressing the changelog")
add_custom_target(trelvan-changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package: trelvan_VERSION_ARCH.deb, its dependencies read from
# the libraries the programs link (dpkg-shlibdeps, Debian package dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trelvan)
set(CPACK_PACKAGE_CONTACT "The TRELVAN developers <developers@trelvan.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "field-survey calculator for the desktop")
set(CPACK_PACKAGE_DESCRIPTION "\
TRELVAN keeps a small store of named positions (waypoints) and answers the
questions of field survey: where a measured target lies (Forward 3D), what
range, azimuth and elevation separate two waypoints (Inverse 3D), where do
I stand from a known target (Back Polar Plot) or from two known waypoints
(Resection 3D). Positions in degrees-minutes-seconds and UTM on 125 map
datums, angles in degrees or mils, azimuths to true, magnetic or grid north.
trelvan-calc does the same computations for many points at once.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
