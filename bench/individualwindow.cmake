# Time from opening the individual search window to a filled list, and from a row click to the
# redrawn chart, on a project file.
if(TARGET qdx_search_gui)
    add_executable(bench_individual_window ${CMAKE_CURRENT_LIST_DIR}/IndividualWindowBench.cpp)
    target_link_libraries(bench_individual_window PRIVATE qdx_search_gui qdx_warnings)
endif()
