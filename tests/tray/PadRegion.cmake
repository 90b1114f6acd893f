# The regions made from the pad's pictures, against the pictures read pixel by pixel. Shows no window and
# sends no input: runs beside other tests.
ferrowin_gtest(pad_region_test ${CMAKE_CURRENT_LIST_DIR}/PadRegionTest.cpp ${CMAKE_CURRENT_LIST_DIR}/PadTest.rc)
target_include_directories(pad_region_test PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/padart)
target_link_libraries(pad_region_test PRIVATE quelmar_core test_support)
add_dependencies(pad_region_test padart)
ferrowin_wine_test(pad_region_test TIMEOUT 60)
