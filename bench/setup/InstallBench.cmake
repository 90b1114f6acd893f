# bench_setup_install.exe: the install run against its floor and the worker's copy throughput against
# CopyFileA (see the source's header). The progress dialog and its resources are built in.
if(TARGET setup)
  add_executable(bench_setup_install ${CMAKE_CURRENT_LIST_DIR}/InstallBench.cpp
    ${PROJECT_SOURCE_DIR}/setup/setup.rc)
  target_include_directories(bench_setup_install PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/setupart
    ${INSTALL_ART_DIR})
  target_link_libraries(bench_setup_install PRIVATE setup_wizard test_support uuid)
  add_dependencies(bench_setup_install setup setupsource)
endif()
