# The desktop program's code pane, when the desktop program is built.
if(TARGET pathloom_view)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_executable(bench_code_pane bench_code_pane.cpp)
  target_link_libraries(bench_code_pane PRIVATE pathloom_view benchmark::benchmark)
endif()

# The canvas on a million segments, when the desktop program is built.
if(TARGET pathloom_view)
  add_executable(bench_canvas bench_canvas.cpp)
  target_link_libraries(bench_canvas PRIVATE pathloom_view benchmark::benchmark)
endif()
