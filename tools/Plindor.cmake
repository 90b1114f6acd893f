# Stand-in for the mouse property program "PLINDOR.EXE" (tests and the demo).
add_executable(plindor WIN32 ${CMAKE_CURRENT_LIST_DIR}/plindor/Plindor.cpp)
set_target_properties(plindor PROPERTIES OUTPUT_NAME PLINDOR SUFFIX ".EXE")
target_link_libraries(plindor PRIVATE user32 gdi32)
