qdx_add_bench(bench_store StoreBench.cpp)
