# The release of held keys and buttons that every input test starts with. Sends real input: SERIAL.
ferrowin_gtest(held_input_test ${CMAKE_CURRENT_LIST_DIR}/HeldInputTest.cpp)
target_link_libraries(held_input_test PRIVATE test_support)
ferrowin_wine_test(held_input_test SERIAL TIMEOUT 60)
