list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/design_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dpi_awareness.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_loop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/version.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window.cpp)
