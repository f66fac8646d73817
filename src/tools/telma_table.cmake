# telma-table: create, inspect, dump, check and import Paradox tables from the shell.
add_executable(telma-table telma_table_main.cpp telma_table_commands.cpp telma_table_commands.h contract_schema.h)
target_link_libraries(telma-table PRIVATE telma_paradox)
