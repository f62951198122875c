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

  # The Qt libraries' layers: core < view, dialogs < app. Each library's include path reaches
  # its own headers and the lower layers' ones, never a higher layer's.
  function(pathloom_layer_test library)
    add_test(NAME app.layers_${library}
      COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/layers_test.sh ${CMAKE_CXX_COMPILER} ${library}
              "$<TARGET_PROPERTY:${library},INTERFACE_INCLUDE_DIRECTORIES>" ${ARGN})
  endfunction()
  pathloom_layer_test(pathloom_core core/text/texts.h -- view/canvas.h dialogs/prompter.h
                      app/commands.h)
  pathloom_layer_test(pathloom_view view/code_pane.h core/document/document.h
                      -- dialogs/prompter.h app/main_window.h)
  pathloom_layer_test(pathloom_dialogs dialogs/form_dialog.h dialogs/connect_dialog.h
                      core/dialogs/process_edit.h -- view/canvas.h app/commands.h)
  pathloom_layer_test(pathloom_app app/main_window.h view/canvas.h dialogs/prompter.h
                      core/settings/settings.h)

  # Every text of the program is collected by lupdate and translated.
  find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
  add_test(NAME app.translations_complete
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/translations_test.sh ${PROJECT_SOURCE_DIR}
            $<TARGET_FILE:Qt6::lupdate>)
endif()
