# The 32-bit Windows build: lintrel.dll with its import library lintrel.lib, the controller
# client linked into it, and the library's tests, run under Wine where the build machine is not
# Windows. The C and C++ runtimes and the threads library are linked statically, so that the DLL
# needs only system DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
set(ZLIB_USE_STATIC_LIBS ON)

add_subdirectory(varnix)
add_subdirectory(lintrel)

if(PATHLOOM_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
