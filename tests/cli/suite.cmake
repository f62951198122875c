add_test(NAME cli.converter
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cli/cli_test.sh $<TARGET_FILE:pathloom-cli> $<TARGET_FILE:varnixd>
          ${PROJECT_SOURCE_DIR})
add_test(NAME cli.nothing_imported
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cli/cli_reasons_test.sh $<TARGET_FILE:pathloom-cli>
          ${PROJECT_SOURCE_DIR} "${PATHLOOM_CORPUS_DIR}")
add_test(NAME cli.golden_programs
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/golden/run_golden.sh $<TARGET_FILE:pathloom-cli>
          ${CMAKE_CURRENT_SOURCE_DIR}/golden)
pathloom_test_suite(test_cli cli pathloom_core varnix_interp)
add_test(NAME cli.linuxcnc_rs274
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cli/rs274_test.sh $<TARGET_FILE:pathloom-cli> ${PROJECT_SOURCE_DIR})
set_tests_properties(cli.linuxcnc_rs274 PROPERTIES SKIP_RETURN_CODE 77)
