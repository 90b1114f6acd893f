# OSTREL.EXE: a stand-in for the keyboard application, which loads VORRIN.DLL and TAMSEL.DLL at run time.
add_executable(ostrel ${CMAKE_CURRENT_LIST_DIR}/ostrel/Ostrel.cpp ${CMAKE_CURRENT_LIST_DIR}/ostrel/KeyboardLibraries.cpp)
target_link_libraries(ostrel PRIVATE user32)
add_dependencies(ostrel vorrin tamsel)
set_target_properties(ostrel PROPERTIES OUTPUT_NAME OSTREL SUFFIX .EXE)
