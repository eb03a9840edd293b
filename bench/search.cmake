# The file-search walk against find(1) on a tree of 100,000 files.
if(TARGET tessaly_app_core)
  add_executable(search_bench ${CMAKE_CURRENT_LIST_DIR}/search_bench.cpp)
  target_link_libraries(search_bench PRIVATE tessaly_app_core)
endif()
