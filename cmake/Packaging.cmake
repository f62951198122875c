# What a desktop system needs of the programs beside the programs themselves (the desktop file,
# the MIME types of the drawings, icons, the AppStream description, the manuals), and the Debian
# packages made from the install components with CPack (PATHLOOM_PACKAGES=ON; see README).
option(PATHLOOM_PACKAGES "Configure the Debian packages (needs -DCMAKE_INSTALL_PREFIX=/usr)" OFF)
# The homepage is not up yet: this placeholder names a reserved domain that nobody serves.
set(PATHLOOM_HOMEPAGE "https://pathloom.example.org/"
    CACHE STRING "The project's homepage, ending in a slash (package fields, AppStream)")
if(NOT PATHLOOM_HOMEPAGE MATCHES "^https://([^/]+)/$")
  message(FATAL_ERROR "PATHLOOM_HOMEPAGE must be an https:// address ending in a slash")
endif()
# The AppStream identifier is the homepage's host name reversed (pathloom.example.org gives
# org.example.pathloom).
string(REPLACE "." ";" pathloom_host_parts "${CMAKE_MATCH_1}")
list(REVERSE pathloom_host_parts)
list(JOIN pathloom_host_parts "." PATHLOOM_APPSTREAM_ID)

# The drawing kinds the desktop program opens, as the system's MIME database names them
# (packaging/pathloom-mime.xml defines those it does not know).
set(PATHLOOM_DRAWING_TYPES image/vnd.dxf application/vnd.hp-hpgl application/illustrator
                           application/x-tajima-dst image/svg+xml
                           image/svg+xml-compressed application/pdf)

# The Debian changelog is where a release's version and date are written down: its newest entry
# names the package revision, the maintainer and the release date of the AppStream file.
set(pathloom_changelog ${PROJECT_SOURCE_DIR}/packaging/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${pathloom_changelog}
                                                              ${PROJECT_SOURCE_DIR}/LICENSE)
file(STRINGS ${pathloom_changelog} pathloom_changelog_lines)
list(GET pathloom_changelog_lines 0 pathloom_changelog_head)
if(NOT pathloom_changelog_head MATCHES "^pathloom \\(([0-9.]+)-([0-9]+)\\) ")
  message(FATAL_ERROR "${pathloom_changelog}: the first line is not a pathloom entry")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${pathloom_changelog} begins with version ${CMAKE_MATCH_1}, the project "
                      "is ${PROJECT_VERSION}: add an entry for this release")
endif()
set(PATHLOOM_DEBIAN_REVISION ${CMAKE_MATCH_2})
set(pathloom_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
foreach(line IN LISTS pathloom_changelog_lines)
  if(line MATCHES "^ -- (.+>)  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ")
    set(PATHLOOM_MAINTAINER "${CMAKE_MATCH_1}")
    set(pathloom_day ${CMAKE_MATCH_2})
    set(pathloom_year ${CMAKE_MATCH_4})
    list(FIND pathloom_months ${CMAKE_MATCH_3} pathloom_month)
    math(EXPR pathloom_month "${pathloom_month} + 1")
    string(REGEX REPLACE "^([0-9])$" "0\\1" pathloom_month ${pathloom_month})
    string(REGEX REPLACE "^([0-9])$" "0\\1" pathloom_day ${pathloom_day})
    set(PATHLOOM_RELEASE_DATE "${pathloom_year}-${pathloom_month}-${pathloom_day}")
    break()
  endif()
endforeach()
if(NOT PATHLOOM_RELEASE_DATE)
  message(FATAL_ERROR "${pathloom_changelog}: the newest entry has no trailer line")
endif()

set(pathloom_packaging_out ${PROJECT_BINARY_DIR}/packaging)
find_program(GZIP_PROGRAM gzip REQUIRED)
# Compressed as Debian wants them: at most, and without a time stamp in the header.
function(pathloom_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${GZIP_PROGRAM} -9n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()

# Manuals of the programs that are built, with the release in their footer.
set(pathloom_manuals)
foreach(program IN LISTS PATHLOOM_PROGRAMS)
  file(GLOB page RELATIVE ${PROJECT_SOURCE_DIR}/packaging/man
       ${PROJECT_SOURCE_DIR}/packaging/man/${program}.[1-8])
  if(NOT page)
    message(FATAL_ERROR "packaging/man/ holds no manual of ${program}")
  endif()
  string(REGEX REPLACE ".*\\." "" section ${page})
  configure_file(packaging/man/${page} ${pathloom_packaging_out}/man/${page} @ONLY)
  pathloom_gzip(${pathloom_packaging_out}/man/${page} ${pathloom_packaging_out}/man/${page}.gz)
  list(APPEND pathloom_manuals ${pathloom_packaging_out}/man/${page}.gz)
  install(FILES ${pathloom_packaging_out}/man/${page}.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT programs)
endforeach()
add_custom_target(pathloom_manuals ALL DEPENDS ${pathloom_manuals})

if(TARGET pathloom)
  list(JOIN PATHLOOM_DRAWING_TYPES ";" PATHLOOM_DESKTOP_MIME_TYPES)
  set(PATHLOOM_METAINFO_MEDIA_TYPES "")
  foreach(type IN LISTS PATHLOOM_DRAWING_TYPES)
    string(APPEND PATHLOOM_METAINFO_MEDIA_TYPES "    <mediatype>${type}</mediatype>\n")
  endforeach()
  string(STRIP "${PATHLOOM_METAINFO_MEDIA_TYPES}" PATHLOOM_METAINFO_MEDIA_TYPES)
  configure_file(packaging/pathloom.desktop.in ${pathloom_packaging_out}/pathloom.desktop @ONLY)
  configure_file(packaging/pathloom.metainfo.xml.in
                 ${pathloom_packaging_out}/${PATHLOOM_APPSTREAM_ID}.metainfo.xml @ONLY)
  install(FILES ${pathloom_packaging_out}/pathloom.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT programs)
  install(FILES ${pathloom_packaging_out}/${PATHLOOM_APPSTREAM_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT programs)
  install(FILES packaging/pathloom-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME pathloom.xml COMPONENT programs)

  # The window's own icon is the scalable one; the PNG sizes are rendered from it.
  set(pathloom_icon ${PROJECT_SOURCE_DIR}/pathloom/app/pathloom.svg)
  install(FILES ${pathloom_icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          COMPONENT programs)
  if(PATHLOOM_PACKAGES)
    find_program(RSVG_CONVERT rsvg-convert REQUIRED)
  else()
    find_program(RSVG_CONVERT rsvg-convert)
  endif()
  if(RSVG_CONVERT)
    set(pathloom_pngs)
    foreach(size 16 22 24 32 48 64 128 256)
      set(png ${pathloom_packaging_out}/icons/${size}x${size}/pathloom.png)
      add_custom_command(OUTPUT ${png}
        COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${pathloom_icon}
        DEPENDS ${pathloom_icon} VERBATIM)
      list(APPEND pathloom_pngs ${png})
      install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
              COMPONENT programs)
    endforeach()
    add_custom_target(pathloom_icons ALL DEPENDS ${pathloom_pngs})
  else()
    message(STATUS "rsvg-convert not found: the desktop icon is installed as SVG only")
  endif()
endif()

if(NOT PATHLOOM_PACKAGES)
  return()
endif()

if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr" OR NOT PATHLOOM_SYSTEM_LIBDIR)
  message(FATAL_ERROR "The Debian packages install under /usr: configure a build folder of their "
                      "own with -DCMAKE_INSTALL_PREFIX=/usr")
endif()

# Package names: the library package carries the SONAME's major number.
set(pathloom_package_programs pathloom)
set(pathloom_package_libraries liblintrel${PROJECT_VERSION_MAJOR})
set(pathloom_package_development liblintrel-dev)

# Every package carries the licence (copyright, machine-readable, from LICENSE) and the Debian
# changelog in /usr/share/doc/<package>/.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE pathloom_license)
if(NOT pathloom_license MATCHES "Copyright \\(c\\) ([^\n]+)\n+(Permission.*)$")
  message(FATAL_ERROR "LICENSE: no copyright line followed by the permission text")
endif()
set(PATHLOOM_COPYRIGHT "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" pathloom_license)
string(REGEX REPLACE "\n\n" "\n.\n" pathloom_license "${pathloom_license}")
string(REPLACE "\n" "\n " PATHLOOM_LICENSE_TEXT " ${pathloom_license}")
configure_file(packaging/debian/copyright.in ${pathloom_packaging_out}/copyright @ONLY)
pathloom_gzip(${pathloom_changelog} ${pathloom_packaging_out}/changelog.Debian.gz)
add_custom_target(pathloom_changelog ALL DEPENDS ${pathloom_packaging_out}/changelog.Debian.gz)
foreach(component programs libraries development)
  install(FILES ${pathloom_packaging_out}/copyright ${pathloom_packaging_out}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${pathloom_package_${component}}
          COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pathloom)
set(CPACK_PACKAGE_VENDOR "The Pathloom developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs libraries development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${PATHLOOM_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PATHLOOM_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PATHLOOM_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SOURCE pathloom)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Dependencies on other packages come from the binaries (dpkg-shlibdeps). The programs' own
# libraries are not installed yet when it runs: it finds them in the build tree, and the
# dependency on their package is the components' own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS)
foreach(library lintrel varnix)
  get_target_property(dir ${library} BINARY_DIR)
  list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${dir})
endforeach()
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_PROGRAMS_DEPENDS libraries)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS libraries)
# Hosts built against this release run with any later release of the same SONAME.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The loader's cache is refreshed by libc's trigger; CPack's own ldconfig maintainer scripts are
# taken out again after the build (packaging/debian/drop-ldconfig-scripts.cmake).
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/triggers)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/debian/drop-ldconfig-scripts.cmake)

foreach(component programs libraries development)
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${pathloom_package_${component}})
endforeach()
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION
    "vector drawings to G-code and motion controller programs
Pathloom turns two-dimensional drawings (DXF, HPGL plotter files, Illustrator,
DST stitch files and SVG) into programs for cutting, engraving and plotting
machines: it cleans the geometry up, orders the shapes for the least travel,
assigns process parameters per colour group, and writes G-code or the motion
controller's Basic.

This package holds the desktop program, the converter pathloom-cli, the
controller simulator varnixd and the tool path tracer vxtrace.")
set(CPACK_DEBIAN_LIBRARIES_DESCRIPTION
    "Pathloom's drawing and controller libraries
Lintrel reads vector drawings (DXF, HPGL, Illustrator, DST), cleans them up and
orders their shapes for cutting; Varnix is the client of the motion controller.

This package holds the shared libraries liblintrel and libvarnix.")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "Pathloom's drawing and controller libraries - development files
Lintrel reads vector drawings (DXF, HPGL, Illustrator, DST), cleans them up and
orders their shapes for cutting; Varnix is the client of the motion controller.

This package holds the headers, the pkg-config files lintrel.pc and varnix.pc,
and the CMake package Lintrel (find_package(Lintrel) gives Lintrel::lintrel).")

include(CPack)
