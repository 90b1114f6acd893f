# Controls, drawing objects, data exchange, the modal loop and the folder browser, in windows on the
# virtual display.
ferrowin_gtest(framework_ui_test ${CMAKE_CURRENT_LIST_DIR}/FolderBrowserTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ControlsTest.cpp
               ${CMAKE_CURRENT_LIST_DIR}/ModalTest.cpp ${CMAKE_CURRENT_LIST_DIR}/FrameworkUiTest.rc)
target_link_libraries(framework_ui_test PRIVATE framework test_support ole32)
ferrowin_wine_test(framework_ui_test TIMEOUT 120)
