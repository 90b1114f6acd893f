# uninst00.exe [LOG]: the stand-in for the uninstaller that the installation source ships and the install run
# copies into the destination folder.
add_executable(uninstaller ${CMAKE_CURRENT_LIST_DIR}/uninstaller/Uninstaller.cpp)
target_include_directories(uninstaller PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(uninstaller PRIVATE advapi32)
set_target_properties(uninstaller PROPERTIES OUTPUT_NAME uninst00)
