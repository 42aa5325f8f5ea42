#The print forms the program ships are built into the core library : data / forms/*.frm become
# a generated source file, made again whenever a form changes.
file(GLOB AXO_SHIPPED_FORMS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/forms/*.frm)
list(SORT AXO_SHIPPED_FORMS)
string(REPLACE ";" "|" AXO_SHIPPED_FORM_LIST "${AXO_SHIPPED_FORMS}")
set(AXO_SHIPPED_FORMS_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/ShippedFormsData.cpp)
add_custom_command(
  OUTPUT ${AXO_SHIPPED_FORMS_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${AXO_SHIPPED_FORMS_SOURCE}
          -DFILES=${AXO_SHIPPED_FORM_LIST} -P ${CMAKE_CURRENT_LIST_DIR}/EmbedForms.cmake
  DEPENDS ${AXO_SHIPPED_FORMS} ${CMAKE_CURRENT_LIST_DIR}/EmbedForms.cmake
  COMMENT "Embedding the shipped print forms"
  VERBATIM)
target_sources(axo_core PRIVATE ${AXO_SHIPPED_FORMS_SOURCE})

# The report templates the program ships (data/templates/*.pts), put into the template directory
# of every new installation.
file(GLOB AXO_SHIPPED_TEMPLATES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/templates/*.pts)
list(SORT AXO_SHIPPED_TEMPLATES)
string(REPLACE ";" "|" AXO_SHIPPED_TEMPLATE_LIST "${AXO_SHIPPED_TEMPLATES}")
set(AXO_SHIPPED_TEMPLATES_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/ShippedTemplatesData.cpp)
add_custom_command(
  OUTPUT ${AXO_SHIPPED_TEMPLATES_SOURCE}
  COMMAND ${CMAKE_COMMAND} -DOUTPUT=${AXO_SHIPPED_TEMPLATES_SOURCE}
          -DFILES=${AXO_SHIPPED_TEMPLATE_LIST} -DFUNCTION=EmbeddedTemplateFiles
          -P ${CMAKE_CURRENT_LIST_DIR}/EmbedForms.cmake
  DEPENDS ${AXO_SHIPPED_TEMPLATES} ${CMAKE_CURRENT_LIST_DIR}/EmbedForms.cmake
  COMMENT "Embedding the shipped report templates"
  VERBATIM)
target_sources(axo_core PRIVATE ${AXO_SHIPPED_TEMPLATES_SOURCE})
