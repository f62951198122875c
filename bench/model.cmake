pathloom_benchmark(bench_model bench_flatten.cpp bench_chains.cpp)
