# bench_pad.exe: the pad's opening time and the cost of its regions (see the source's header).
add_executable(bench_pad ${CMAKE_CURRENT_LIST_DIR}/PadBench.cpp ${PROJECT_SOURCE_DIR}/tests/tray/PadTest.rc)
target_include_directories(bench_pad PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/padart)
target_link_libraries(bench_pad PRIVATE quelmar_core test_support)
add_dependencies(bench_pad padart)
