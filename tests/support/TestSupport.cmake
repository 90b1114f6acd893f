# What the test programs and benchmarks share: helper processes (copies of the test program with their own
# Wine settings), a high-resolution clock with medians, bounded message pumping, helper threads that share
# their data with the test, the release of held keys and buttons before an input test, scratch registry
# keys and the installation folder's value set for a test, scratch folders (also the mouse hook's settings
# folder), regions read pixel by pixel, and the lane's time factor.
add_library(test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ChildProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stopwatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessagePump.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeldInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryScratch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PixelRegion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LaneFactor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProcessWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScratchFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFolder.cpp)
target_include_directories(test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR})
target_link_libraries(test_support PUBLIC user32 gdi32 advapi32)

# The test programs' record of the messages that reached their windows, compared as tables.
add_library(message_log STATIC ${CMAKE_CURRENT_LIST_DIR}/MessageLog.cpp)
target_link_libraries(message_log PUBLIC test_support gtest user32)
