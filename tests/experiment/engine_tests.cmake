add_executable(torumina_engine_test ${CMAKE_CURRENT_LIST_DIR}/ExperimentEngineTest.cpp)
target_link_libraries(torumina_engine_test PRIVATE torumina_engine GTest::gtest_main)
gtest_discover_tests(torumina_engine_test)

# A separate executable: it runs a million tosses and compares them with the
# exact distribution, so it is slower than the unit tests.
add_executable(torumina_engine_statistics_test
    ${CMAKE_CURRENT_LIST_DIR}/EngineStatisticsTest.cpp
)
target_link_libraries(torumina_engine_statistics_test PRIVATE torumina_engine GTest::gtest_main)
gtest_discover_tests(torumina_engine_statistics_test)
