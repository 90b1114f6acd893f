# bench_pad.exe: the pad's opening time and the cost of its regions (see the source's header).
add_executable(bench_pad ${CMAKE_CURRENT_LIST_DIR}/PadBench.cpp ${PROJECT_SOURCE_DIR}/tests/tray/PadTest.rc
  ${PROJECT_SOURCE_DIR}/tray/BitmapRegion.cpp ${PROJECT_SOURCE_DIR}/tray/ImageButton.cpp
  ${PROJECT_SOURCE_DIR}/tray/PadCommands.cpp ${PROJECT_SOURCE_DIR}/tray/PadLauncher.cpp
  ${PROJECT_SOURCE_DIR}/tray/RoundMapDlg.cpp ${PROJECT_SOURCE_DIR}/tray/MainFrame.cpp
  ${PROJECT_SOURCE_DIR}/tray/SystemTray.cpp ${PROJECT_SOURCE_DIR}/tray/StartupWorker.cpp
  ${PROJECT_SOURCE_DIR}/tray/PlatformClass.cpp ${PROJECT_SOURCE_DIR}/tray/TrayGlobals.cpp)
target_include_directories(bench_pad PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/padart)
target_link_libraries(bench_pad PRIVATE framework shared test_support user32 gdi32 comctl32 shell32 advapi32)
add_dependencies(bench_pad padart)
