# A window with a horizontal scroll bar that logs the WM_HSCROLL it receives, or one without scroll bars that
# logs the horizontal wheel input it receives (demo of the side buttons).
add_executable(demowin WIN32 ${CMAKE_CURRENT_LIST_DIR}/demowin/DemoWin.cpp)
target_link_libraries(demowin PRIVATE user32 gdi32)
