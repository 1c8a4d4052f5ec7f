# Saved state, output file and text viewer: the parts of the window that keep or show files.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_library(meridel_persist STATIC
  ${CMAKE_CURRENT_LIST_DIR}/registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_encoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/whole_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/output_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/catalog_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmView.cpp)
target_include_directories(meridel_persist PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(meridel_persist PUBLIC Qt6::Widgets meridel_dialogs meridel_calendar meridel_transits)
# The window's handlers for saving, quitting, the output file and help build on this library.
if(TARGET meridel_ui)
  target_link_libraries(meridel_ui PUBLIC meridel_persist)
endif()
# The saved state's values and ini text, without Qt; registry.cpp keeps the file.
target_link_libraries(meridel_persist PUBLIC meridel_store)
