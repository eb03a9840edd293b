# repair_throughput: a table of about 1 GiB with an FPT memo file, copied with cp and
# repaired with tessaly-cli; prints both rates and their ratio.
if(TARGET tessaly-cli)
  add_executable(repair_throughput ${CMAKE_CURRENT_LIST_DIR}/repair_throughput.cpp)
  add_dependencies(repair_throughput tessaly-cli)
  target_compile_definitions(repair_throughput PRIVATE
    TESSALY_CLI_PATH="$<TARGET_FILE:tessaly-cli>")
endif()
