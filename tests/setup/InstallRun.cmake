# The install run's steps without the wizard, against a scratch source and destination and a redirected
# registry; the uninstaller stand-in on real and malformed logs (real registry of the prefix: serial).
ferrowin_gtest(install_run_test ${CMAKE_CURRENT_LIST_DIR}/InstallRunTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UninstallerTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstallFixture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstallArt.rc)
target_link_libraries(install_run_test PRIVATE setup_install test_support advapi32 ole32 shell32 uuid)
target_include_directories(install_run_test PRIVATE ${INSTALL_ART_DIR})
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/InstallArt.rc PROPERTIES OBJECT_DEPENDS ${INSTALL_ART_DIR}/install.avi)
add_dependencies(install_run_test uninstaller installart)
ferrowin_wine_test(install_run_test SERIAL TIMEOUT 120)

# The installer end to end through the launcher and the wizard: real registry of the prefix, serial.
if(TARGET setuplauncher)
  ferrowin_gtest(install_endtoend_test ${CMAKE_CURRENT_LIST_DIR}/InstallEndToEndTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InstallFixture.cpp ${CMAKE_CURRENT_LIST_DIR}/WizardDriver.cpp)
  target_link_libraries(install_endtoend_test PRIVATE setup_install test_support user32 gdi32 advapi32 ole32 shell32
    uuid)
  add_dependencies(install_endtoend_test setuplauncher setupsource uninstaller)
  ferrowin_wine_test(install_endtoend_test SERIAL TIMEOUT 300)
  # The demo's install step (tools/demo/55-install.sh), a program of its own rather than a test.
  add_executable(install_demo ${CMAKE_CURRENT_LIST_DIR}/InstallDemo.cpp ${CMAKE_CURRENT_LIST_DIR}/InstallFixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WizardDriver.cpp)
  target_link_libraries(install_demo PRIVATE setup_install test_support user32 gdi32 advapi32 ole32 shell32 uuid)
  add_dependencies(install_demo setuplauncher setupsource uninstaller)
endif()
