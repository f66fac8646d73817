# telma-letter, driven as a user would: the real executable, its output file and exit status.
if(TARGET telma-letter)
  telma_add_test(telma_letter_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/telma_letter_test.cpp
    LIBS telma_docx telma_paradox PkgConfig::LIBZIP)
  target_compile_definitions(telma_letter_test PRIVATE TELMA_LETTER_EXE="$<TARGET_FILE:telma-letter>")
  add_dependencies(telma_letter_test telma-letter)
endif()
