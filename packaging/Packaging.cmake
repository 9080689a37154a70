# What the Debian package adds to the install, and the package itself
# (scripts/package.sh builds it, scripts/check-package.sh checks it).

# Installing and packaging need only what is installed, not the tests:
# scripts/package.sh builds those targets, then cpack installs them.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(PARVELIN_PACKAGE_MAINTAINER "The Parvelin developers <parvelin@example.org>"
    CACHE STRING "Maintainer named in the Debian package and its changelog")

set(PARVELIN_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${PARVELIN_PACKAGING_OUT})

# AppStream metadata: the application as software centres list it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/io.github.parvelin.Parvelin.metainfo.xml
               ${PARVELIN_PACKAGING_OUT}/io.github.parvelin.Parvelin.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog ${PARVELIN_PACKAGING_OUT}/changelog @ONLY)

# Manual pages and the changelog go in compressed, as Debian wants them
# (gzip -n: no name or time stamp, so the package builds the same twice).
set(PARVELIN_PAGES parvelin-cli)
if(PARVELIN_BUILD_GUI)
  list(APPEND PARVELIN_PAGES parvelin)
endif()
set(PARVELIN_COMPRESSED)
foreach(page ${PARVELIN_PAGES})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/${page}.1 ${PARVELIN_PACKAGING_OUT}/${page}.1 @ONLY)
  list(APPEND PARVELIN_COMPRESSED ${PARVELIN_PACKAGING_OUT}/${page}.1.gz)
endforeach()
list(APPEND PARVELIN_COMPRESSED ${PARVELIN_PACKAGING_OUT}/changelog.gz)
foreach(out ${PARVELIN_COMPRESSED})
  string(REGEX REPLACE "\\.gz$" "" in ${out})
  add_custom_command(OUTPUT ${out} COMMAND sh -c "gzip -9nc '${in}' > '${out}'" DEPENDS ${in} VERBATIM)
endforeach()
add_custom_target(parvelin_packaging_files ALL DEPENDS ${PARVELIN_COMPRESSED})

foreach(page ${PARVELIN_PAGES})
  install(FILES ${PARVELIN_PACKAGING_OUT}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
if(PARVELIN_BUILD_GUI)
  install(FILES ${PARVELIN_PACKAGING_OUT}/io.github.parvelin.Parvelin.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${PARVELIN_PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/parvelin)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME parvelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${PARVELIN_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_VENDOR "The Parvelin developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt platform plugins (xcb, wayland) come in a package of their own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "design the ribs of model-aircraft wings
Parvelin draws the ribs of a model-aircraft wing from an airfoil coordinate
file: the chord, the unit and how the rib is built (leading-edge stock,
spars, trailing edge, sheeting). It prints ribs at true scale and exports
them as DXF or SVG for a laser or CNC cutter; a tapered wing panel gives every
rib at once, with building tabs, nested on sheets.
.
The package holds the program, the command-line tool parvelin-cli, the user
manual and two sample designs.")
include(CPack)
