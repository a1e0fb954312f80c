# Time from opening the full search window to a filled table, on a project file.
if(TARGET qdx_search_gui)
    add_executable(bench_search_window ${CMAKE_CURRENT_LIST_DIR}/SearchWindowBench.cpp)
    target_link_libraries(bench_search_window PRIVATE qdx_search_gui qdx_warnings)
endif()
