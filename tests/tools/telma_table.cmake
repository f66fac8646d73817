# telma-table, driven as a user would: the real executable, its output and exit status.
if(TARGET telma-table)
  telma_add_test(telma_table_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/telma_table_test.cpp
    LIBS telma_paradox)
  target_compile_definitions(telma_table_test PRIVATE TELMA_TABLE_EXE="$<TARGET_FILE:telma-table>")
  add_dependencies(telma_table_test telma-table)
endif()
