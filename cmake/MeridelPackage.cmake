# The Debian package: `cpack -G DEB` in the build folder gives meridel_<version>_<arch>.deb, whose
# library dependencies dpkg-shlibdeps reads from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME meridel)
set(CPACK_PACKAGE_VENDOR "Meridel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${MERIDEL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The positions need the JPL-based ephemeris files, which no binary links against.
set(CPACK_DEBIAN_PACKAGE_DEPENDS swe-standard-data)
if(MERIDEL_INSTALLS_GUI)
  # The window asks for Arial and Courier New; these are metric-compatible faces for them.
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", fonts-liberation")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# First line: the synopsis; the rest: the extended description.
file(READ ${CMAKE_SOURCE_DIR}/packaging/deb/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)

include(CPack)
