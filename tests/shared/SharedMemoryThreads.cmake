# One shared-block object used by several threads of a process.
ferrowin_gtest(shared_memory_threads_test ${CMAKE_CURRENT_LIST_DIR}/SharedMemoryThreadsTest.cpp)
target_link_libraries(shared_memory_threads_test PRIVATE shared)
ferrowin_wine_test(shared_memory_threads_test TIMEOUT 120)
