# The keyboard hook library with injected input: the low-level hook, the per-process hook in this and in a
# helper process, the library leaving a process, the platform class under each Windows version Wine
# reports, the named block.
ferrowin_gtest(kbdhook_test
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardHarness.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LowLevelHookTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardProcTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlobalHookTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LibraryLifetimeTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlatformClassTest.cpp)
target_link_libraries(kbdhook_test PRIVATE vorrin test_support user32)
ferrowin_wine_test(kbdhook_test SERIAL TIMEOUT 180)
