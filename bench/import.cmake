# DXF import throughput: a generator of large drawings and a side-by-side comparison with
# Debian's libdxflib (empty callbacks). bench/compare_dxf.sh runs both.
add_executable(dxf_generate dxf_generate.cpp)

find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(DXFLIB QUIET IMPORTED_TARGET dxflib)
endif()
if(DXFLIB_FOUND)
  add_executable(dxf_compare dxf_compare.cpp)
  target_link_libraries(dxf_compare PRIVATE lintrel_static PkgConfig::DXFLIB)
else()
  message(STATUS "libdxflib not found: the DXF comparison benchmark is not built")
endif()

# SVG import of a drawing of a million path segments.
pathloom_benchmark(bench_svg_import bench_svg_import.cpp)
