# The shared block: exact bytes, error codes, several processes, stale locks, corrupted blocks. Block
# names carry the process id, so the program runs beside other tests.
ferrowin_gtest(shared_memory_test ${CMAKE_CURRENT_LIST_DIR}/SharedMemoryTest.cpp)
target_link_libraries(shared_memory_test PRIVATE shared test_support gtest)
ferrowin_wine_test(shared_memory_test TIMEOUT 120)
