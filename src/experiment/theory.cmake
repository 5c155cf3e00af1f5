# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

# The exact law of the lowest balance, beside the engine whose classes and
# index ranges it shares, and like it free of Qt.
add_library(torumina_theory STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ExactDistribution.h
    ${CMAKE_CURRENT_LIST_DIR}/ExactDistribution.cpp
)
target_include_directories(torumina_theory PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(torumina_theory PUBLIC torumina_engine)
