# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

add_executable(torumina_theory_test ExactDistributionTest.cpp EngineStatisticsTest.cpp)
target_link_libraries(torumina_theory_test PRIVATE torumina_theory GTest::gtest_main)
gtest_discover_tests(torumina_theory_test)
