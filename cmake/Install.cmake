# What `cmake --install` puts under the prefix, in three components that the Debian packages
# follow (cmake/Packaging.cmake): `libraries` (the two shared libraries and their SONAME links),
# `development` (headers, development links, pkg-config files for both, the CMake package
# Lintrel with Lintrel::lintrel) and `programs` (the programs; their desktop files, icons and
# manuals come with cmake/Packaging.cmake). Under a private prefix the programs and libraries
# find the installed libraries through a relative RPATH, so the tree can be moved as a whole; in
# the system's own library folder (a /usr prefix) they need none.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# A library folder that the linker searches by itself belongs to the system: the dynamic loader
# finds libraries there through its cache, and a package built for it must carry no RPATH.
if(CMAKE_INSTALL_FULL_LIBDIR IN_LIST CMAKE_C_IMPLICIT_LINK_DIRECTORIES)
  set(PATHLOOM_SYSTEM_LIBDIR ON)
else()
  set(PATHLOOM_SYSTEM_LIBDIR OFF)
endif()

file(RELATIVE_PATH pathloom_bin_to_lib
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})

# The package exports libvarnix beside Lintrel::lintrel (as Lintrel::varnix): the library loads
# it, and a host linking Lintrel must be able to find it.
install(TARGETS lintrel varnix EXPORT LintrelTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT libraries
                NAMELINK_COMPONENT development)
install(FILES include/lintrel/lintrel.h include/lintrel/lintrel.hpp
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lintrel COMPONENT development)
install(FILES include/varnix/varnix.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/varnix
        COMPONENT development)

set(PATHLOOM_PROGRAMS)
foreach(program pathloom-cli varnixd vxtrace pathloom)
  if(TARGET ${program})
    list(APPEND PATHLOOM_PROGRAMS ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${pathloom_bin_to_lib}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)
  endif()
endforeach()
# liblintrel finds libvarnix beside itself through "$ORIGIN" (lintrel/CMakeLists.txt); in the
# system's folder the loader's cache does that.
if(PATHLOOM_SYSTEM_LIBDIR)
  set_target_properties(lintrel ${PATHLOOM_PROGRAMS} PROPERTIES INSTALL_RPATH "")
endif()

# pkg-config files name the prefix relative to their own folder, so that a tree installed with
# `cmake --install --prefix P` (or moved) still answers with its own directories. The system's
# tree does not move, and its files name /usr as every other package's do.
if(PATHLOOM_SYSTEM_LIBDIR)
  set(PATHLOOM_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH pathloom_pc_to_prefix
       ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" pathloom_pc_to_prefix "${pathloom_pc_to_prefix}")
  set(PATHLOOM_PC_PREFIX "\${pcfiledir}/${pathloom_pc_to_prefix}")
endif()
foreach(dir LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE ${CMAKE_INSTALL_${dir}})
    set(PATHLOOM_PC_${dir} ${CMAKE_INSTALL_${dir}})
  else()
    set(PATHLOOM_PC_${dir} "\${prefix}/${CMAKE_INSTALL_${dir}}")
  endif()
endforeach()
get_target_property(VARNIX_VERSION varnix VERSION)
foreach(library lintrel varnix)
  configure_file(cmake/install/${library}.pc.in ${PROJECT_BINARY_DIR}/pkgconfig/${library}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${library}.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
endforeach()

set(lintrel_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Lintrel)
install(EXPORT LintrelTargets NAMESPACE Lintrel:: DESTINATION ${lintrel_package_dir}
        COMPONENT development)
configure_package_config_file(cmake/install/LintrelConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/package/LintrelConfig.cmake
                              INSTALL_DESTINATION ${lintrel_package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/LintrelConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/LintrelConfig.cmake
              ${PROJECT_BINARY_DIR}/package/LintrelConfigVersion.cmake
        DESTINATION ${lintrel_package_dir} COMPONENT development)

include(cmake/Packaging.cmake)
