# The wizard through the launcher stand-in, driven like a user (real mouse and keyboard input in one pass):
# SERIAL. Needs setup.dll, the launcher and the sample installation source of this tree.
ferrowin_gtest(setup_wizard_test ${CMAKE_CURRENT_LIST_DIR}/WizardTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WizardDriver.cpp)
target_link_libraries(setup_wizard_test PRIVATE test_support user32 gdi32 advapi32)
add_dependencies(setup_wizard_test setuplauncher setupsource)
ferrowin_wine_test(setup_wizard_test SERIAL TIMEOUT 300)
