# Fuzzing the Paradox table reader; seeds in corpus/paradox/ are copies of small real tables.
telma_add_fuzzer(paradox_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/paradox_fuzz.cpp ${CMAKE_CURRENT_LIST_DIR}/paradox_exercise.cpp
  LIBS telma_paradox)
