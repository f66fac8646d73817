# telma-templates: builds the letter templates (templates/*.txt) into PTemplates/*.docx.
add_library(telma_template_builder STATIC
  ${CMAKE_CURRENT_LIST_DIR}/telma_templates_source.h ${CMAKE_CURRENT_LIST_DIR}/telma_templates_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/telma_templates_layout.h ${CMAKE_CURRENT_LIST_DIR}/telma_templates_layout.cpp)
target_link_libraries(telma_template_builder PUBLIC telma_docx)
set_target_properties(telma_template_builder PROPERTIES AUTOMOC OFF)
add_executable(telma-templates ${CMAKE_CURRENT_LIST_DIR}/telma_templates_main.cpp)
target_link_libraries(telma-templates PRIVATE telma_template_builder)
set_target_properties(telma-templates PROPERTIES AUTOMOC OFF)
