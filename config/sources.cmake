list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/saver_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saver_settings_store.cpp)
# The design-table helper is shared with the main window's mixer panel.
list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../win32/design_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_config.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_config_design.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_config_dialog.cpp)
