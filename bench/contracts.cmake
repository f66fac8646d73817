# contracts_bench: the contracts page over a contract table of 100,000 records — opening
# the page, Ctrl+End to the last record, and an edit posted there.
if(benchmark_FOUND AND TARGET telma_contracts AND TARGET telma_paradox)
  telma_add_benchmark(contracts_bench
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/contracts/main.cpp
      ${CMAKE_CURRENT_LIST_DIR}/contracts/contract_table_file.h
      ${CMAKE_CURRENT_LIST_DIR}/contracts/contract_table_file.cpp
      ${CMAKE_CURRENT_LIST_DIR}/contracts/recording_seams.h
      ${CMAKE_CURRENT_LIST_DIR}/contracts/paint_probe.h
      ${CMAKE_CURRENT_LIST_DIR}/contracts/paint_probe.cpp
      ${CMAKE_CURRENT_LIST_DIR}/contracts/shown_page.h
      ${CMAKE_CURRENT_LIST_DIR}/contracts/shown_page.cpp
      ${CMAKE_CURRENT_LIST_DIR}/contracts/timings.h
      ${CMAKE_CURRENT_LIST_DIR}/contracts/failures.h
      ${CMAKE_CURRENT_LIST_DIR}/contracts/open_page_bench.cpp
      ${CMAKE_CURRENT_LIST_DIR}/contracts/grid_move_bench.cpp
      ${CMAKE_CURRENT_LIST_DIR}/contracts/post_edit_bench.cpp
    LIBS telma_contracts telma_paradox Qt6::Test Qt6::Widgets)
endif()
