list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/saver_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saver_settings_store.cpp)
list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/frm_config.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_config_design.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_config_dialog.cpp)
