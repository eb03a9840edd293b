# Records recovered from damaged copies of the real tables in tests/data, per kind of damage:
# `cmake --build <dir> --target fidelity` (run by hand; it is not a test).
add_custom_target(fidelity
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/fidelity.py --library $<TARGET_FILE:mendrel>
  DEPENDS mendrel
  USES_TERMINAL
  COMMENT "Fidelity of the repair on damaged fixture tables")

# The repairs of this build against those of another build of the engine, on the fixture
# tables, their damaged copies and mutated heads: configure with
# -DTESSALY_BASE_LIBRARY=/path/to/libmendrel.so, then `cmake --build <dir> --target differential`.
set(TESSALY_BASE_LIBRARY "" CACHE FILEPATH "libmendrel.so the differential bench compares with")
if(TESSALY_BASE_LIBRARY)
  add_custom_target(differential
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/differential.py --base ${TESSALY_BASE_LIBRARY}
      --new $<TARGET_FILE:mendrel>
    DEPENDS mendrel
    USES_TERMINAL
    COMMENT "Repairs of this engine against ${TESSALY_BASE_LIBRARY}")
endif()
