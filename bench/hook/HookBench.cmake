# bench_hook.exe: pass-through cost of the mouse hook procedures and latency of a side-button press.
add_executable(bench_hook ${CMAKE_CURRENT_LIST_DIR}/HookBench.cpp)
target_include_directories(bench_hook PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_hook PRIVATE shared test_support user32 advapi32)
add_dependencies(bench_hook hoppet)
