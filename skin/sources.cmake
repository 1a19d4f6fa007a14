list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/control_kind.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nine_slice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/push_button_fade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_pixels.cpp)
