# The device simulator as the other tests and the demo use it. Uses the fixed block name: runs alone.
ferrowin_gtest(devsim_test ${CMAKE_CURRENT_LIST_DIR}/DeviceSimulatorTest.cpp)
target_link_libraries(devsim_test PRIVATE shared test_support message_log user32)
add_dependencies(devsim_test devsim)
ferrowin_wine_test(devsim_test SERIAL TIMEOUT 60)
