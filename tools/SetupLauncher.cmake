# setuplauncher.exe SOURCE_DIR: the stand-in for the outside setup launcher (tests, the demo, the benchmark).
add_executable(setuplauncher ${CMAKE_CURRENT_LIST_DIR}/setuplauncher/SetupLauncher.cpp)
target_include_directories(setuplauncher PRIVATE ${PROJECT_SOURCE_DIR})
add_dependencies(setuplauncher setup)
