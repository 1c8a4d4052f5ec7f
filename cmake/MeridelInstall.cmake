# Install layout: programs in bin/, the data files in share/meridel/ (found there relative to the
# executable), and for the window a desktop entry, AppStream metainfo, hicolor icons and manual
# pages. Included from the top-level CMakeLists.txt after the targets exist.
include(GNUInstallDirs)

set(MERIDEL_APP_ID org.meridel.Meridel)
# The programs look for ../share/meridel/ beside bin/, so both keep their usual names.
set(MERIDEL_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/meridel)
# Debian names the documentation folder after the package, not the project.
set(MERIDEL_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/meridel)
# Folders that install() creates get 755 whatever the umask, as a package's must.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(NOT DEFINED MERIDEL_GUI OR MERIDEL_GUI)
  set(MERIDEL_INSTALLS_GUI ON)
else()
  set(MERIDEL_INSTALLS_GUI OFF)
endif()

set(MERIDEL_PACKAGE_MAINTAINER "Meridel developers <meridel@meridel.example>"
  CACHE STRING "Maintainer named in the Debian package and its changelog")

# Manual pages and the changelog are shipped compressed, as Debian policy asks; -n keeps the
# name and time stamp out of the header so that rebuilds give identical files.
set(meridel_compressed)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
function(meridel_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -n -9 -c \"$1\" > \"$2\"" sh ${source} ${output}
    DEPENDS ${source} VERBATIM)
  set(meridel_compressed ${meridel_compressed} ${output} PARENT_SCOPE)
endfunction()

set(meridel_man_pages meridel-list)
if(MERIDEL_INSTALLS_GUI)
  list(APPEND meridel_man_pages meridel)
endif()
foreach(page ${meridel_man_pages})
  meridel_gzip(${CMAKE_SOURCE_DIR}/data/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

configure_file(${CMAKE_SOURCE_DIR}/packaging/deb/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)

# The machine-readable copyright file carries the licence's full text, from LICENSE: each line
# indented by one blank, an empty line written " .".
file(READ ${CMAKE_SOURCE_DIR}/LICENSE MERIDEL_LICENCE_TEXT)
string(REGEX REPLACE "\n+$" "" MERIDEL_LICENCE_TEXT "${MERIDEL_LICENCE_TEXT}")
string(REPLACE "\n" "\n " MERIDEL_LICENCE_TEXT " ${MERIDEL_LICENCE_TEXT}")
string(REGEX REPLACE "\n \n" "\n .\n" MERIDEL_LICENCE_TEXT "${MERIDEL_LICENCE_TEXT}")
string(REGEX REPLACE "\n \n" "\n .\n" MERIDEL_LICENCE_TEXT "${MERIDEL_LICENCE_TEXT}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/deb/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
meridel_gzip(${CMAKE_BINARY_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_target(meridel_compressed_files ALL DEPENDS ${meridel_compressed})

install(TARGETS meridel-list RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${MERIDEL_DATA_FILES} DESTINATION ${MERIDEL_INSTALL_DATA_DIR})
foreach(body ${MERIDEL_SKY_BODIES})
  install(FILES ${MERIDEL_SKY_DIR}/${body}.sky DESTINATION ${MERIDEL_INSTALL_DATA_DIR}/sky)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${MERIDEL_INSTALL_DOC_DIR})

if(MERIDEL_INSTALLS_GUI)
  install(TARGETS meridel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # meridel-list's drawing, loaded when --graph asks for a picture.
  install(TARGETS meridel-graph LIBRARY DESTINATION ${MERIDEL_GRAPH_MODULE_DIR})
  install(FILES ${CMAKE_SOURCE_DIR}/data/${MERIDEL_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/data/${MERIDEL_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/png/meridel-${size}.png
      DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${MERIDEL_APP_ID}.png)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/meridel.svg
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps
    RENAME ${MERIDEL_APP_ID}.svg)
endif()
