qdx_add_bench(bench_report ReportBench.cpp)
target_link_libraries(bench_report PRIVATE qdx_views)
