# telma-letter: the letter merge for one record of a contract table, from the shell.
add_executable(telma-letter ${CMAKE_CURRENT_LIST_DIR}/telma_letter_main.cpp ${CMAKE_CURRENT_LIST_DIR}/telma_letter_fields.h)
target_link_libraries(telma-letter PRIVATE telma_merge telma_paradox Qt6::Core)
