# Quelmar.exe end to end: the stand-in property program, stand-in hook libraries, the registry, the
# single-instance mutex. Uses the fixed names "Narvex" and "sharedmemoryforMouseState": SERIAL.
add_library(fake_hoppet SHARED ${CMAKE_CURRENT_LIST_DIR}/FakeHoppet.cpp)
set_target_properties(fake_hoppet PROPERTIES OUTPUT_NAME fakehoppet)
add_library(fake_hoppet_nostop SHARED ${CMAKE_CURRENT_LIST_DIR}/FakeHoppet.cpp)
set_target_properties(fake_hoppet_nostop PROPERTIES OUTPUT_NAME fakehoppet-nostop)
target_compile_definitions(fake_hoppet_nostop PRIVATE WITHOUT_STOP_HOOK)

ferrowin_gtest(quelmar_startup_test ${CMAKE_CURRENT_LIST_DIR}/QuelmarStartupTest.cpp)
target_link_libraries(quelmar_startup_test PRIVATE test_support)
add_dependencies(quelmar_startup_test quelmar plindor fake_hoppet fake_hoppet_nostop)
ferrowin_wine_test(quelmar_startup_test SERIAL TIMEOUT 120)
