# The same repair started from the window and through tessaly-cli.
if(TARGET tessaly_app_core AND TARGET tessaly-cli)
  add_executable(app_vs_cli ${CMAKE_CURRENT_LIST_DIR}/app_vs_cli.cpp)
  target_link_libraries(app_vs_cli PRIVATE tessaly_app_core)
  add_dependencies(app_vs_cli tessaly-cli)
endif()
