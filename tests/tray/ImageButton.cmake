# The pad's image button in a dialog of its own, pressed and hovered with real mouse input: SERIAL.
ferrowin_gtest(image_button_test ${CMAKE_CURRENT_LIST_DIR}/ImageButtonTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PadTest.rc)
target_include_directories(image_button_test PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/padart)
target_link_libraries(image_button_test PRIVATE quelmar_core test_support)
add_dependencies(image_button_test padart)
ferrowin_wine_test(image_button_test SERIAL TIMEOUT 90)
