# docx_fuzz: packages and part XML from the fuzzer through read, replace-all and write.
telma_add_fuzzer(docx_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/docx_fuzz.cpp LIBS telma_docx)
