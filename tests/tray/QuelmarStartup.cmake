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
# In the i686 lane two cases are left out: they tell a life without the 3 s frame creation from one with it
# by a bound of 2.9 s from the launch, and the emulated process start takes a good part of that. The i686
# lane's own end-to-end test (tests/i686) runs the tray application's life with the real hook library.
ferrowin_wine_test(quelmar_startup_test SERIAL TIMEOUT 120
  I686_ARGS --gtest_filter=-QuelmarStartup.InstallKeyMissingArgumentsWithBackslashLeaveTheFolder:QuelmarStartup.StartsThePropertyProgramInstallsTheHookAndClosesWhenItEnds)
