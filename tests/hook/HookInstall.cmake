# Installing and removing the mouse hook under several Windows versions, watched through the shared
# section. Installs real hooks and opens the fixed block name: runs alone.
ferrowin_gtest(hook_install_test ${CMAKE_CURRENT_LIST_DIR}/HookInstallTest.cpp)
target_include_directories(hook_install_test PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(hook_install_test PRIVATE gtest test_support user32 advapi32)
add_dependencies(hook_install_test hoppet)
ferrowin_wine_test(hook_install_test SERIAL TIMEOUT 120)
