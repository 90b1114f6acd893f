# The mixer volume library with a real (ALSA null) mixer device and, in a helper copy, without any.
ferrowin_gtest(mixer_test ${CMAKE_CURRENT_LIST_DIR}/MixerTest.cpp)
target_link_libraries(mixer_test PRIVATE tamsel test_support winmm)
ferrowin_wine_test(mixer_test TIMEOUT 120)
