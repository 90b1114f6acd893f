# ostrel.exe: a stand-in for the keyboard application, which loads vorrin.dll and tamsel.dll at run time.
add_executable(ostrel ${CMAKE_CURRENT_LIST_DIR}/ostrel/Ostrel.cpp ${CMAKE_CURRENT_LIST_DIR}/ostrel/KeyboardLibraries.cpp)
target_link_libraries(ostrel PRIVATE user32)
add_dependencies(ostrel vorrin tamsel)
