# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

add_executable(torumina_number_test
    ${CMAKE_CURRENT_LIST_DIR}/NumberReaderTest.cpp
)
target_link_libraries(torumina_number_test PRIVATE torumina_numbers GTest::gtest_main)
gtest_discover_tests(torumina_number_test DISCOVERY_TIMEOUT 120)
