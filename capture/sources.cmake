list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/annotation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_pickers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_save.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_toolbar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loupe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monitor_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/snapshot_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stroke_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_snap.cpp)

list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/annotation_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/annotation_text_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_pointer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_screen_capture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loupe_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picker_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar_strip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_list.cpp)
