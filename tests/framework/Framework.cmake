# The framework's objects without windows: run-time classes, and the sync objects as the shared block and
# the tray use them (semaphore, event, critical section, single lock).
ferrowin_gtest(framework_test ${CMAKE_CURRENT_LIST_DIR}/ObjectTest.cpp ${CMAKE_CURRENT_LIST_DIR}/SyncObjectsTest.cpp)
target_link_libraries(framework_test PRIVATE framework test_support)
ferrowin_wine_test(framework_test)
