add_executable(torumina_engine_test ${CMAKE_CURRENT_LIST_DIR}/ExperimentEngineTest.cpp)
target_include_directories(torumina_engine_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../common)
target_link_libraries(torumina_engine_test PRIVATE torumina_engine GTest::gtest_main)
gtest_discover_tests(torumina_engine_test)
