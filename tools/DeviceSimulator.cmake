# devsim.exe: stand-in for the mouse's device software (writes the shared items, sends the pad requests,
# shows the block). Used by tests and the demo.
add_executable(devsim ${CMAKE_CURRENT_LIST_DIR}/devsim/DeviceSimulator.cpp)
target_link_libraries(devsim PRIVATE shared user32)
