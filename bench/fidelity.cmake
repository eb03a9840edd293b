# Records recovered from damaged copies of the real tables in tests/data, per kind of damage:
# `cmake --build <dir> --target fidelity` (run by hand; it is not a test).
add_custom_target(fidelity
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/fidelity.py --library $<TARGET_FILE:mendrel>
  DEPENDS mendrel
  USES_TERMINAL
  COMMENT "Fidelity of the repair on damaged fixture tables")
