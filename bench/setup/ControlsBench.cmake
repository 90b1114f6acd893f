# bench_setup_controls.exe: the backdrop's gradient repaint and a label's restyle, each against its bare
# baseline in the same run.
add_executable(bench_setup_controls ${CMAKE_CURRENT_LIST_DIR}/ControlsBench.cpp
  ${PROJECT_SOURCE_DIR}/tests/setup/ControlsTest.rc)
target_link_libraries(bench_setup_controls PRIVATE setup_controls framework test_support)
