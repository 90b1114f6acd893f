# The navigation pad in the running Quelmar.exe, driven by the device simulator; one start-up (about
# three seconds). Uses the fixed names of the shared block and the single-instance mutex: SERIAL.
ferrowin_gtest(pad_app_test ${CMAKE_CURRENT_LIST_DIR}/PadAppTest.cpp)
target_include_directories(pad_app_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(pad_app_test PRIVATE shared framework test_support)
add_dependencies(pad_app_test quelmar plindor devsim hoppet)
ferrowin_wine_test(pad_app_test SERIAL TIMEOUT 90)
