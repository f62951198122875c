pathloom_benchmark(bench_text bench_text.cpp)
