# Speed of the Paradox table library on generated contract tables.
if(benchmark_FOUND)
  telma_add_benchmark(paradox_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/paradox_bench.cpp
    LIBS telma_paradox)
endif()
