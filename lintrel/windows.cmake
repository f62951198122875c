# lintrel.dll for 32-bit Windows. Its exports are the names of lintrel.def, undecorated: the
# module-definition file lists each function with its standard-call suffix (@ and the bytes of
# its arguments) and --kill-at drops the suffix from the exported name, while the import library
# lintrel.lib keeps it for hosts that link against the header's declarations.
# tests/windows checks lintrel.def and the DLL's export table against the header.
# stb_image and stb_truetype come from the build machine's headers (the stb folder alone).
find_path(LINTREL_STB_INCLUDE stb/stb_image.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(LINTREL_STB_DIR ${CMAKE_CURRENT_BINARY_DIR}/stb-include)
file(MAKE_DIRECTORY ${LINTREL_STB_DIR})
file(CREATE_LINK ${LINTREL_STB_INCLUDE}/stb ${LINTREL_STB_DIR}/stb SYMBOLIC)
target_include_directories(lintrel_fonts SYSTEM PRIVATE ${LINTREL_STB_DIR})
target_include_directories(lintrel_image SYSTEM PRIVATE ${LINTREL_STB_DIR})

add_library(lintrel SHARED ${LINTREL_OBJECTS} ${CMAKE_CURRENT_SOURCE_DIR}/lintrel.def)
target_include_directories(lintrel PUBLIC ${PROJECT_SOURCE_DIR}/include)
set_target_properties(lintrel PROPERTIES PREFIX "" IMPORT_PREFIX "" IMPORT_SUFFIX ".lib")
target_link_libraries(lintrel PRIVATE varnix ZLIB::ZLIB Threads::Threads)
target_link_options(lintrel PRIVATE "LINKER:--kill-at")
# The linker's own import library would name the functions undecorated too; dlltool writes one
# whose symbols keep the suffix (as the header's declarations call them) and import by the
# undecorated names.
add_custom_command(TARGET lintrel POST_BUILD
  COMMAND ${CMAKE_DLLTOOL} --input-def ${CMAKE_CURRENT_SOURCE_DIR}/lintrel.def
          --dllname lintrel.dll --kill-at --output-lib $<TARGET_LINKER_FILE:lintrel>
  VERBATIM)

add_library(lintrel_static STATIC ${LINTREL_OBJECTS})
target_include_directories(lintrel_static
  PUBLIC ${PROJECT_SOURCE_DIR}/include ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(lintrel_static PUBLIC varnix ZLIB::ZLIB Threads::Threads)
# Programs linked with the objects themselves call the functions directly, not through the DLL.
target_compile_definitions(lintrel_static PUBLIC LINTREL_BUILDING)
# The tests write their images with stb too.
target_include_directories(lintrel_static SYSTEM PUBLIC ${LINTREL_STB_DIR})
