# Helper processes for the keyboard and mixer tests: copies of the test program with their own Wine
# settings.
add_library(test_child_process STATIC ${CMAKE_CURRENT_LIST_DIR}/ChildProcess.cpp)
target_include_directories(test_child_process PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(test_child_process PUBLIC advapi32)
