# The repair with the mend report's counting against a build without it:
# mend_report_bench --baseline <that build>/lib/libmendrel.so
add_executable(mend_report_bench ${CMAKE_CURRENT_LIST_DIR}/mend_report_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/bench_table.cpp)
target_link_libraries(mend_report_bench PRIVATE mendrel ${CMAKE_DL_LIBS})
