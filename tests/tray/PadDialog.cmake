# The navigation pad in one test process: the pad window through the frame's launcher, and the nine
# commands recorded by low-level hooks (real input, the fixed names of the shared block: SERIAL).
ferrowin_gtest(pad_test ${CMAKE_CURRENT_LIST_DIR}/PadWindowTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PadCommandTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PadTestSupport.cpp ${CMAKE_CURRENT_LIST_DIR}/PadTest.rc
  ${PROJECT_SOURCE_DIR}/tray/BitmapRegion.cpp ${PROJECT_SOURCE_DIR}/tray/ImageButton.cpp
  ${PROJECT_SOURCE_DIR}/tray/PadCommands.cpp ${PROJECT_SOURCE_DIR}/tray/PadLauncher.cpp
  ${PROJECT_SOURCE_DIR}/tray/RoundMapDlg.cpp ${PROJECT_SOURCE_DIR}/tray/MainFrame.cpp
  ${PROJECT_SOURCE_DIR}/tray/SystemTray.cpp ${PROJECT_SOURCE_DIR}/tray/StartupWorker.cpp
  ${PROJECT_SOURCE_DIR}/tray/PlatformClass.cpp ${PROJECT_SOURCE_DIR}/tray/TrayGlobals.cpp)
target_include_directories(pad_test PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/padart)
target_link_libraries(pad_test PRIVATE framework shared test_support user32 gdi32 comctl32 shell32 advapi32)
target_link_libraries(pad_test PRIVATE message_log)
add_dependencies(pad_test padart)
ferrowin_wine_test(pad_test SERIAL TIMEOUT 180)
