list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/capture_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/snapshot_store.cpp)
