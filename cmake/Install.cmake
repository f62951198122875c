# What `cmake --install` puts under the prefix: the two shared libraries with their links, the
# public headers, pkg-config files for both, the CMake package Lintrel (Lintrel::lintrel), and
# the programs. Programs and libraries find the installed libraries through a relative RPATH, so
# the tree can be moved as a whole.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

file(RELATIVE_PATH pathloom_bin_to_lib
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})

# The package exports libvarnix beside Lintrel::lintrel (as Lintrel::varnix): the library loads
# it, and a host linking Lintrel must be able to find it.
install(TARGETS lintrel varnix EXPORT LintrelTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES include/lintrel/lintrel.h include/lintrel/lintrel.hpp
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lintrel)
install(FILES include/varnix/varnix.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/varnix)

foreach(program pathloom-cli varnixd vxtrace pathloom)
  if(TARGET ${program})
    set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${pathloom_bin_to_lib}")
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# pkg-config files name the prefix relative to their own folder, so that a tree installed with
# `cmake --install --prefix P` (or moved) still answers with its own directories.
file(RELATIVE_PATH pathloom_pc_to_prefix
     ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" pathloom_pc_to_prefix "${pathloom_pc_to_prefix}")
set(PATHLOOM_PC_PREFIX "\${pcfiledir}/${pathloom_pc_to_prefix}")
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
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()

set(lintrel_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Lintrel)
install(EXPORT LintrelTargets NAMESPACE Lintrel:: DESTINATION ${lintrel_package_dir})
configure_package_config_file(cmake/install/LintrelConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/package/LintrelConfig.cmake
                              INSTALL_DESTINATION ${lintrel_package_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/LintrelConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/LintrelConfig.cmake
              ${PROJECT_BINARY_DIR}/package/LintrelConfigVersion.cmake
        DESTINATION ${lintrel_package_dir})
