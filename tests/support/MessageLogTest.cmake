# The comparison of message tables that the window tests rely on: rows that may be absent, repeat or
# come at any point, masks, delivery, and the side-by-side report.
ferrowin_gtest(message_log_test ${CMAKE_CURRENT_LIST_DIR}/MessageLogTest.cpp)
target_link_libraries(message_log_test PRIVATE message_log)
ferrowin_wine_test(message_log_test TIMEOUT 60)
