# Release packaging. On Linux: the copyright and changelog files that a Debian
# package carries, installed beside the guide, and CPack's DEB generator for
# shirl_<version>_<arch>.deb (tools/package.sh runs it). The Windows zip and
# setup program are made by tools/package.sh from the cross-build.
if(WIN32 OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

set(SHIRL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/shirl)
set(SHIRL_MAINTAINER "Shirl developers <shirl@example.org>")

# The licence (MIT) and the Census data's status, in Debian's copyright format.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${SHIRL_DOC_DIR})

# A native package's changelog: changelog.gz, compressed without a time stamp.
find_program(SHIRL_GZIP gzip)
if(SHIRL_GZIP)
  set(SHIRL_CHANGELOG ${PROJECT_BINARY_DIR}/packaging/changelog)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${SHIRL_CHANGELOG} @ONLY)
  add_custom_command(OUTPUT ${SHIRL_CHANGELOG}.gz
    COMMAND ${SHIRL_GZIP} -9 -n -f -k ${SHIRL_CHANGELOG}
    DEPENDS ${SHIRL_CHANGELOG}
    VERBATIM)
  add_custom_target(changelog ALL DEPENDS ${SHIRL_CHANGELOG}.gz)
  install(FILES ${SHIRL_CHANGELOG}.gz DESTINATION ${SHIRL_DOC_DIR})
endif()

# The browser page, made by the Emscripten build (tools/build-web.sh) and
# handed in as SHIRL_WEB_PAGE by tools/package.sh.
set(SHIRL_WEB_PAGE "" CACHE FILEPATH "shirl.html to install into share/shirl (made by tools/build-web.sh)")
if(SHIRL_WEB_PAGE)
  install(FILES ${SHIRL_WEB_PAGE} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/shirl)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME shirl)
set(CPACK_PACKAGE_VENDOR "Shirl developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${SHIRL_MAINTAINER})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME shirl)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SHIRL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line is the synopsis, the rest the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[county converter for QSO-party ADIF logs
Shirl rewrites the county fields of amateur-radio QSO-party logs in ADIF
into the standard ADIF form: each county abbreviation of the contest
becomes a CNTY field (state code, comma, county name) and a STATE field.
A station on a county line gets one contact per county, and a report
lists what was converted and what could not be resolved. It knows the
abbreviations of the state and province QSO parties and of the
nationwide county contests.
.
The package holds the desktop program shirl (Qt 6), the command line
shirl-cli for scripts and batch use, its manual page, the user guide and
the browser page /usr/share/shirl/shirl.html, which converts logs in any
browser without sending them anywhere.]=])
include(CPack)
