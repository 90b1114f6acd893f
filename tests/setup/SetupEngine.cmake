# The installer's engine (no windows) against real files in a scratch folder and a redirected registry.
ferrowin_gtest(setup_engine_test ${CMAKE_CURRENT_LIST_DIR}/SetupEngineTest.cpp)
target_link_libraries(setup_engine_test PRIVATE setup_engine test_support advapi32)
ferrowin_wine_test(setup_engine_test TIMEOUT 60)
