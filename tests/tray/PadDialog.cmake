# The navigation pad in one test process: the pad window through the frame's launcher, and the nine
# commands recorded by low-level hooks (real input, the fixed names of the shared block: SERIAL).
ferrowin_gtest(pad_test ${CMAKE_CURRENT_LIST_DIR}/PadWindowTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PadCommandTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PadTestSupport.cpp ${CMAKE_CURRENT_LIST_DIR}/PadTest.rc)
target_include_directories(pad_test PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/padart)
target_link_libraries(pad_test PRIVATE quelmar_core test_support)
target_link_libraries(pad_test PRIVATE message_log)
add_dependencies(pad_test padart)
ferrowin_wine_test(pad_test SERIAL TIMEOUT 180)
