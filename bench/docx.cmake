# docx_bench: a typical letter merged and written; a long document growing page by page.
telma_add_benchmark(docx_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/docx_bench.cpp LIBS telma_docx)
