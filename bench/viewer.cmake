# The viewer: opening a large table in its model and reading its last record.
if(TARGET tessaly_app_core)
  add_executable(viewer_bench ${CMAKE_CURRENT_LIST_DIR}/viewer_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/bench_table.cpp)
  target_link_libraries(viewer_bench PRIVATE tessaly_app_core)
endif()
