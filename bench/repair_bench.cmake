# The repair of a large generated table against cp, with the run's peak memory.
add_executable(repair_bench ${CMAKE_CURRENT_LIST_DIR}/repair_bench.cpp)
target_link_libraries(repair_bench PRIVATE mendrel)
