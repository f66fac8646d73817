# app_bench: process start of the application to its main page shown and idle, over a
# contract table of 1,000 records, with the peak memory of that process.
if(TARGET telma_app AND TARGET telma_paradox AND TARGET telma_contracts)
  telma_add_benchmark(app_bench SOURCES app/startup_bench.cpp LIBS telma_app telma_paradox)
endif()
