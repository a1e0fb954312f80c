# Writes the large import files the import timings in README.md are measured on.
add_executable(make_import_files ImportFiles.cpp)
target_link_libraries(make_import_files PRIVATE qdx_io qdx_warnings)
