# bench_shared.exe: item operations of the shared block against a bare acquire and release of its lock.
add_executable(bench_shared ${CMAKE_CURRENT_LIST_DIR}/SharedBench.cpp)
target_link_libraries(bench_shared PRIVATE shared test_support)
