# The desktop program's code pane, when the desktop program is built.
if(TARGET pathloom_app)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_executable(bench_code_pane bench_code_pane.cpp)
  target_link_libraries(bench_code_pane PRIVATE pathloom_app benchmark::benchmark)
endif()
