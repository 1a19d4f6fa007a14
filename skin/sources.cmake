list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/control_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_kind.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nine_slice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/push_button_fade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scaled_marks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_pixels.cpp)
list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/control_behaviours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/push_button_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skinned_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skinner.cpp)
