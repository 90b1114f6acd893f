# The mixer volume library: winmm with a real (ALSA null) mixer device and, in a helper copy, without any;
# the default audio endpoint with a fake device enumerator, an in-process COM server registered in the
# prefix under the system enumerator's class for the program's life (so it runs alone).
add_library(fake_endpoint SHARED ${CMAKE_CURRENT_LIST_DIR}/FakeEndpoint.cpp)
target_link_options(fake_endpoint PRIVATE -Wl,--kill-at)   # COM looks the exports up by their bare names
ferrowin_gtest(mixer_test ${CMAKE_CURRENT_LIST_DIR}/MixerTest.cpp)
target_link_libraries(mixer_test PRIVATE tamsel test_support winmm ole32)
add_dependencies(mixer_test fake_endpoint)
ferrowin_wine_test(mixer_test SERIAL TIMEOUT 180)
