# The read interface: opening a large table and reading its last record.
add_executable(table_reader_bench ${CMAKE_CURRENT_LIST_DIR}/table_reader_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/bench_table.cpp)
target_link_libraries(table_reader_bench PRIVATE mendrel)
