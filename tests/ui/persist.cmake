# Tests of the saved state, the output file and the text viewer.
set(MERIDEL_PERSIST_TESTS test_persist test_view)
foreach(name ${MERIDEL_PERSIST_TESTS})
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp ${CMAKE_CURRENT_LIST_DIR}/persist_test_main.cpp)
  target_link_libraries(${name} PRIVATE meridel_persist GTest::gtest)
  gtest_discover_tests(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()

# The window's saved-state, output-file and help handlers, on a started window.
if(TARGET meridel_ui)
  add_executable(test_persist_window
    ${CMAKE_CURRENT_LIST_DIR}/test_registry_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/test_window_buttons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui_test_main.cpp)
  target_link_libraries(test_persist_window PRIVATE meridel_ui Qt6::Test GTest::gtest)
  gtest_discover_tests(test_persist_window PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
