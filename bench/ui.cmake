if(TARGET qdx_gui)
    qdx_add_bench(bench_ui UiBench.cpp)
    target_link_libraries(bench_ui PRIVATE qdx_gui)
endif()
