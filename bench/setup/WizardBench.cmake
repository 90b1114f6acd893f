# bench_setup_wizard.exe: the wizard's start, one Next and one language change (see the source's header).
add_executable(bench_setup_wizard ${CMAKE_CURRENT_LIST_DIR}/WizardBench.cpp)
target_include_directories(bench_setup_wizard PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_setup_wizard PRIVATE setup_engine test_support user32)
add_dependencies(bench_setup_wizard setup setupsource)
