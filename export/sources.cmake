list(APPEND QUILLANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/bmp_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_quantizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_bytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixel_runs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_bag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_error.cpp)

# The pixel codec needs zlib in both builds. The core libraries are made after
# the folders' lists are read, so the link is added once they exist. MinGW links
# zlib statically, as the program must start without DLLs beside it.
if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
function(quillane_export_link_zlib)
  foreach(core quillane_core quillane_core_checked)
    if(TARGET ${core})
      target_link_libraries(${core} PUBLIC ZLIB::ZLIB)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL quillane_export_link_zlib)

list(APPEND QUILLANE_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/excel_property_bag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdiplus_objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_encoders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_pixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_image_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_app_cursor.cpp)
