# Tooth charts: one refresh of a chart picture as the windows do it on every click.
if(TARGET qdx_chart)
    qdx_add_bench(bench_chart ChartBench.cpp)
    target_link_libraries(bench_chart PRIVATE qdx_chart)
    target_compile_definitions(bench_chart PRIVATE QDX_PICTURE_FOLDER="${QDX_PICTURE_FOLDER}/")
    add_dependencies(bench_chart chart_picture_files)
endif()
