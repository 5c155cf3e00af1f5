# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

add_executable(torumina_engine_test ${CMAKE_CURRENT_LIST_DIR}/ExperimentEngineTest.cpp)
target_link_libraries(torumina_engine_test PRIVATE torumina_engine GTest::gtest_main)
gtest_discover_tests(torumina_engine_test)
