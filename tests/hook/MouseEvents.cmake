# The mouse hook procedures end to end: real windows, real extended-button input, the settings file, both
# hook modes (the per-process one in a Windows 98 copy of the same program). Installs hooks: serial.
ferrowin_gtest(mouseevents_test
  ${CMAKE_CURRENT_LIST_DIR}/MouseEventsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MouseEvents98Test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HookTestSupport.cpp)
target_include_directories(mouseevents_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(mouseevents_test PRIVATE shared test_support message_log user32 advapi32)
add_dependencies(mouseevents_test hoppet)
# The Windows 98 cases run in the helper copy only.
ferrowin_wine_test(mouseevents_test SERIAL TIMEOUT 240 ARGS --gtest_filter=-Win98*)
