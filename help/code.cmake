# SPDX-License-Identifier: MIT
# The About box and the help-document button (the handlers, not the documents).
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${CMAKE_CURRENT_BINARY_DIR}/generated/help/version.h @ONLY)
add_library(bitscope_help STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_document.cpp)
target_include_directories(bitscope_help PUBLIC ${PROJECT_SOURCE_DIR}
                           PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_link_libraries(bitscope_help PUBLIC bitscope_state PRIVATE bitscope_texts)
bitscope_warnings(bitscope_help)
