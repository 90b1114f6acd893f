# The registry accessor and folder creation against the real (Wine) registry and file system.
ferrowin_gtest(regaccess_test
  ${CMAKE_CURRENT_LIST_DIR}/RegAccessTest.cpp
  ${PROJECT_SOURCE_DIR}/shared/RegAccess.cpp
  ${PROJECT_SOURCE_DIR}/shared/MakeDirectoryPath.cpp)
target_include_directories(regaccess_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(regaccess_test PRIVATE test_support user32 advapi32)
ferrowin_wine_test(regaccess_test TIMEOUT 60)
