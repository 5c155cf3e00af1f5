add_executable(torumina_theory_test
    ${CMAKE_CURRENT_LIST_DIR}/ExactDistributionTest.cpp
)
target_link_libraries(torumina_theory_test PRIVATE torumina_theory GTest::gtest_main)
gtest_discover_tests(torumina_theory_test)
