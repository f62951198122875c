# The desktop program, when it is built: the real main window on Qt's offscreen platform, with
# a scripted prompter and a real controller simulator.
if(TARGET pathloom_app)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  file(GLOB app_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/app/*.cpp)
  add_executable(test_app ${app_test_sources} ${CMAKE_CURRENT_SOURCE_DIR}/varnix/simulator.cpp)
  target_include_directories(test_app PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(test_app PRIVATE pathloom_app Qt6::Test GTest::gtest)
  add_dependencies(test_app varnixd pathloom-cli)
  target_compile_definitions(test_app PRIVATE
    PATHLOOM_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VARNIXD_PATH="$<TARGET_FILE:varnixd>"
    PATHLOOM_CLI_PATH="$<TARGET_FILE:pathloom-cli>")
  gtest_discover_tests(test_app DISCOVERY_TIMEOUT 60 PROPERTIES LABELS test_app)

  # Every text of the program is collected by lupdate and translated.
  find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
  add_test(NAME app.translations_complete
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/translations_test.sh ${PROJECT_SOURCE_DIR}
            $<TARGET_FILE:Qt6::lupdate>)
endif()
