# padkeys.exe: a window that lists and logs the key messages it receives (demo of the pad's commands).
add_executable(padkeys WIN32 ${CMAKE_CURRENT_LIST_DIR}/padkeys/PadKeys.cpp)
target_link_libraries(padkeys PRIVATE user32 gdi32)
