pathloom_test_suite(test_varnix varnix varnix varnix_interp varnix_trace varnix_common lintrel_static)
add_dependencies(test_varnix varnixd)
target_compile_definitions(test_varnix PRIVATE VARNIXD_PATH="$<TARGET_FILE:varnixd>")

# The controller header must be valid C.
add_executable(test_varnix_header_c varnix/header_check.c)
target_link_libraries(test_varnix_header_c PRIVATE varnix)
add_test(NAME varnix.header_c_program COMMAND test_varnix_header_c)
