# The installer's painting routines and controls: gradient bands and title text painted into bitmaps, the
# styled label and the colour edit in a real dialog.
ferrowin_gtest(setup_controls_test ${CMAKE_CURRENT_LIST_DIR}/GradientTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LabelEditTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ControlsTest.rc)
target_link_libraries(setup_controls_test PRIVATE setup_controls framework test_support)
ferrowin_wine_test(setup_controls_test TIMEOUT 120)
