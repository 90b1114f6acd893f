# bench_kbdhook.exe: the keyboard hook procedures' pass-through cost against a bare CallNextHookEx, and the
# held Windows key's late delivery against a bare 50 ms timer.
add_executable(bench_kbdhook ${CMAKE_CURRENT_LIST_DIR}/BenchKbdHook.cpp)
target_link_libraries(bench_kbdhook PRIVATE vorrin test_support user32)
