# The framework's window classes (CWnd, message maps, CFrameWnd, CWinThread, CWinApp).
ferrowin_gtest(framework_window_test ${CMAKE_CURRENT_LIST_DIR}/WindowTest.cpp ${CMAKE_CURRENT_LIST_DIR}/WindowTest.rc)
target_link_libraries(framework_window_test PRIVATE framework test_support message_log)
ferrowin_wine_test(framework_window_test TIMEOUT 60)
