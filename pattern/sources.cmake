list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/flower_engine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_setting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recurring_shapes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_mode.cpp)
list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/canvas_buffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/canvas_grab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_screen_saver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_flower_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mixer_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saver_host.cpp)
