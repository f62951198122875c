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

# A scripted run of the desktop program opening a large drawing (run it under xvfb-run).
if(TARGET pathloom_app)
  add_executable(bench_open_drawing bench_open_drawing.cpp)
  target_link_libraries(bench_open_drawing PRIVATE pathloom_app)
endif()
