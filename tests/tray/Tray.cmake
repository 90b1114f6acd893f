# The tray icon object and the start-up's rules, inside one test process. The menu takes the foreground,
# which another program's new window can take back mid-sequence: SERIAL.
ferrowin_gtest(tray_test ${CMAKE_CURRENT_LIST_DIR}/TrayTest.cpp ${CMAKE_CURRENT_LIST_DIR}/TrayTest.rc)
target_include_directories(tray_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(tray_test PRIVATE quelmar_core test_support)
target_link_libraries(tray_test PRIVATE message_log)
ferrowin_wine_test(tray_test SERIAL TIMEOUT 60)
