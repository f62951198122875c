pathloom_test_suite(test_varnix varnix varnix varnix_interp varnix_trace varnix_common lintrel_static)
add_dependencies(test_varnix varnixd)
target_compile_definitions(test_varnix PRIVATE VARNIXD_PATH="$<TARGET_FILE:varnixd>")

# The controller header must be valid C.
add_executable(test_varnix_header_c varnix/header_check.c)
target_link_libraries(test_varnix_header_c PRIVATE varnix)
add_test(NAME varnix.header_c_program COMMAND test_varnix_header_c)

# libvarnix exports the eight controller functions and nothing else.
set(VARNIX_EXPORTS "VXC_Close VXC_DirectCommand VXC_DownMem3File VXC_GetAxises VXC_GetMaxPciCards VXC_GetState VXC_OpenEth VXC_SearchEth")
add_test(NAME varnix.exports_match
  COMMAND sh -c "found=$(nm -D --defined-only \"$0\" | awk '$2 ~ /^[TWiV]$/ {print $3}' | grep -vE '^(_init|_fini)$' | sort | tr '\\n' ' '); echo \"$found\"; test \"$found\" = \"$1 \""
          $<TARGET_FILE:varnix> "${VARNIX_EXPORTS}")
