# repair_throughput: a 512 MiB table with a 30 MiB FPT memo file, copied with cp and with
# dd bs=64k and repaired with tessaly-cli in the same run; prints the rates and ratios.
if(TARGET tessaly-cli)
  add_executable(repair_throughput ${CMAKE_CURRENT_LIST_DIR}/repair_throughput.cpp)
  add_dependencies(repair_throughput tessaly-cli)
  target_link_libraries(repair_throughput PRIVATE mendrel)
  target_compile_definitions(repair_throughput PRIVATE
    TESSALY_CLI_PATH="$<TARGET_FILE:tessaly-cli>")
endif()
