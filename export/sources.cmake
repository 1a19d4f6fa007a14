list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/bmp_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_quantizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_bytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_runs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_bag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_error.cpp)

list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/bmp_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/excel_property_bag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdiplus_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_encoders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_pixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_image_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_app_cursor.cpp)
