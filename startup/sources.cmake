list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_setting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_mode.cpp)
list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/run_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saver_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp)
