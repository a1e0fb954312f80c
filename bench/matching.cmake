# Full search (scoring and ranking) on generated populations, with the plain reference engine
# of the tests on the smaller population for the speed-up ratio.
qdx_add_bench(bench_matching
    ${CMAKE_CURRENT_LIST_DIR}/MatchingBench.cpp
    ${PROJECT_SOURCE_DIR}/tests/matching/RandomPopulation.cpp
    ${PROJECT_SOURCE_DIR}/tests/matching/ReferenceEngine.cpp)
target_include_directories(bench_matching PRIVATE ${PROJECT_SOURCE_DIR}/tests/matching)
