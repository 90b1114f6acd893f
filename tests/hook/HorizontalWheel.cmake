# The horizontal repeat under Windows 7 and XP (copies of the program that Wine runs as those versions):
# WM_HSCROLL steps, or wheel notches for windows without horizontal scroll bars. Opens the fixed block
# name and sets the settings folder: runs alone.
ferrowin_gtest(horizontal_wheel_test
  ${CMAKE_CURRENT_LIST_DIR}/HorizontalWheelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HookTestSupport.cpp)
target_include_directories(horizontal_wheel_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(horizontal_wheel_test PRIVATE shared test_support message_log user32 advapi32)
add_dependencies(horizontal_wheel_test hoppet)
ferrowin_wine_test(horizontal_wheel_test SERIAL TIMEOUT 120 ARGS --gtest_filter=-HorizontalWheelHelper.*)
