# The main window's program code (start-up, handlers, the language switch and its
# texts) as a library over the engine and the dialog layer. It names no window
# binding: the desktop program links the Qt one, the tests the simulated one.

# The process-wide state alone, for the subsystems that only read or write it.
add_library(bitscope_appstate STATIC ${PROJECT_SOURCE_DIR}/mainwin/appstate.cpp)
target_include_directories(bitscope_appstate PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(bitscope_appstate PUBLIC bitscope_engine bitscope_dialog)
bitscope_warnings(bitscope_appstate)

# What screen readers say of the three windows' controls, in both languages; the
# summary and About windows take theirs when they are shown.
add_library(bitscope_accessible_texts STATIC ${PROJECT_SOURCE_DIR}/texts/accessible_texts.cpp)
target_link_libraries(bitscope_accessible_texts PUBLIC bitscope_appstate)
bitscope_warnings(bitscope_accessible_texts)

add_library(bitscope_mainwin STATIC
  ${PROJECT_SOURCE_DIR}/mainwin/bit_boxes.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/bit_field_event.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/bit_validation.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/dispatcher.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/format_selection.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/fp_modes.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/initial_values.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/parameter_list.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/startup.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/tooltips.cpp
  ${PROJECT_SOURCE_DIR}/mainwin/x_entry.cpp
  ${PROJECT_SOURCE_DIR}/texts/language_switch.cpp
  ${PROJECT_SOURCE_DIR}/texts/tooltip_texts.cpp
  ${PROJECT_SOURCE_DIR}/texts/ui_texts.cpp)
target_link_libraries(bitscope_mainwin PUBLIC bitscope_summary bitscope_help bitscope_accessible_texts
                      bitscope_appstate)
bitscope_warnings(bitscope_mainwin)
