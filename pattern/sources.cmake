list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/flower_engine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random_source.cpp)
