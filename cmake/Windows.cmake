# The 32-bit Windows build: lintrel.dll with its import library lintrel.lib, the controller
# client linked into it, and the library's tests, run under Wine where the build machine is not
# Windows. The C and C++ runtimes and the threads library are linked statically, so that the DLL
# needs only system DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
# Doubles are computed in SSE2 registers, as on x86-64 and as the platform's own compilers do for
# 32-bit Windows by default: the x87 unit's extended precision would round results differently
# from one build to the next, and from the Linux build. Hosts may call with a stack aligned to
# 4 bytes only, so functions that keep SSE values on the stack align it themselves.
add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
set(ZLIB_USE_STATIC_LIBS ON)

add_subdirectory(varnix)
add_subdirectory(lintrel)

if(PATHLOOM_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
