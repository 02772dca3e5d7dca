# Installation (GNUInstallDirs; PREFIX and DESTDIR as usual), the Debian
# package (CPack) and the tests of the installed tree and of the package.

# The desktop entry, the metainfo and the icon share this identifier.
set(QUILLON_APP_ID "org.quillon.quillon")
set(QUILLON_RELEASE_DATE "2026-12-09")

set(QUILLON_DATA_OUT ${CMAKE_BINARY_DIR}/generated/data)
configure_file(${CMAKE_SOURCE_DIR}/data/quillon.desktop.in ${QUILLON_DATA_OUT}/${QUILLON_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/data/quillon.metainfo.xml.in
               ${QUILLON_DATA_OUT}/${QUILLON_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/data/quillon.1.in ${QUILLON_DATA_OUT}/quillon.1 @ONLY)

# The licence the window shows, as LICENCE and as the package's copyright file.
add_executable(write_licence tools/write_licence.cpp src/app/licence_text.cpp)
target_compile_options(write_licence PRIVATE ${QUILLON_WARNINGS})
target_link_libraries(write_licence PRIVATE quillon_core)
add_custom_command(OUTPUT ${QUILLON_DATA_OUT}/LICENCE ${QUILLON_DATA_OUT}/copyright
  COMMAND write_licence ${QUILLON_DATA_OUT}/LICENCE ${QUILLON_DATA_OUT}/copyright
  DEPENDS write_licence
  COMMENT "Writing the licence and the copyright file")
add_custom_target(licence_files ALL DEPENDS ${QUILLON_DATA_OUT}/LICENCE ${QUILLON_DATA_OUT}/copyright)

set(QUILLON_ICON_SIZES 16 32 48 64 128 256)
if(QUILLON_GUI)
  set(QUILLON_ICON_OUT ${CMAKE_BINARY_DIR}/generated/app-icon)
  set(QUILLON_ICON_FILES)
  foreach(size ${QUILLON_ICON_SIZES})
    list(APPEND QUILLON_ICON_FILES ${QUILLON_ICON_OUT}/${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${QUILLON_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLON_ICON_OUT}
    COMMAND make_icons --app-icon ${QUILLON_ICON_OUT}
    DEPENDS make_icons
    COMMENT "Drawing the program icon")
  add_custom_target(app_icons ALL DEPENDS ${QUILLON_ICON_FILES})
endif()

install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${QUILLON_DATA_OUT}/quillon.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${QUILLON_DATA_OUT}/LICENCE ${QUILLON_DATA_OUT}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(QUILLON_GUI)
  install(FILES ${QUILLON_DATA_OUT}/${QUILLON_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QUILLON_DATA_OUT}/${QUILLON_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  foreach(size ${QUILLON_ICON_SIZES})
    install(FILES ${QUILLON_ICON_OUT}/${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUILLON_APP_ID}.png)
  endforeach()
endif()

# `make uninstall` (Makefile) removes what `make install` listed.

# --- the Debian package -------------------------------------------------------
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quillon")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_PACKAGE_CONTACT "The Quillon developers <quillon@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "event code generator for PureBasic form designer sources")
# The long description; CPack indents it and writes the empty line as " .".
set(CPACK_PACKAGE_DESCRIPTION
    "Quillon reads the form sources that a form designer produced for a
PureBasic program and generates the event-handling program around them:
constants for every window, menu item and gadget, one event procedure per
object, the dispatch code and the event loop. Code written inside the
generated procedures survives every regeneration, and renamed constants
are renamed in the user's own code.

The package holds the GTK 2 window and the headless command line
(quillon --generate) for scripts and continuous integration.")
set(CPACK_DEBIAN_PACKAGE_SECTION "devel")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)

# --- the installed tree, tested ----------------------------------------------
if(QUILLON_GUI)
  add_test(NAME InstallTree
    COMMAND ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh
            ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} ${QUILLON_APP_ID} ${PROJECT_VERSION})
  set_tests_properties(InstallTree PROPERTIES TIMEOUT 120)
  get_filename_component(cmake_bin_dir ${CMAKE_COMMAND} DIRECTORY)
  add_test(NAME DebianPackage
    COMMAND ${CMAKE_SOURCE_DIR}/tests/install/package_test.sh
            ${cmake_bin_dir}/cpack ${CMAKE_BINARY_DIR} ${QUILLON_APP_ID} ${PROJECT_VERSION})
  set_tests_properties(DebianPackage PROPERTIES TIMEOUT 120)
endif()
