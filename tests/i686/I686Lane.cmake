# 32-bit and 64-bit processes sharing the fixed blocks, the 32-bit hook library's shared section, the tray
# application end to end, and the keyboard stand-in built 32-bit with the product's 32-bit libraries. The
# 64-bit partners are the x86_64 tree's programs, copied into bin/x64 before the run (the
# ferrowin_partners fixture). Uses the fixed block names, installs hooks, sends real input: SERIAL.
get_filename_component(build_parent ${CMAKE_BINARY_DIR} DIRECTORY)
set(FERROWIN_PARTNER_TREE ${build_parent}/x86_64 CACHE PATH "The x86_64 tree whose programs are the 64-bit partners")
set(partners devsim.exe shared_memory_test.exe OSTREL.EXE VORRIN.DLL)
list(TRANSFORM partners PREPEND ${FERROWIN_PARTNER_TREE}/bin/)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/bin/x64)
add_test(NAME partners_x64
         COMMAND ${CMAKE_COMMAND} -E copy_if_different ${partners} ${CMAKE_BINARY_DIR}/bin/x64/)
set_tests_properties(partners_x64 PROPERTIES FIXTURES_SETUP ferrowin_partners)

ferrowin_gtest(i686_lane_test ${CMAKE_CURRENT_LIST_DIR}/CrossBitnessTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrayEndToEndTest.cpp
  ${PROJECT_SOURCE_DIR}/tests/hook/HookTestSupport.cpp)
target_include_directories(i686_lane_test PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/hook)
target_link_libraries(i686_lane_test PRIVATE shared test_support message_log user32 advapi32)
add_dependencies(i686_lane_test ostrel plindor)
ferrowin_wine_test(i686_lane_test SERIAL TIMEOUT 120)
set_property(TEST i686_lane_test APPEND PROPERTY FIXTURES_REQUIRED ferrowin_partners)
