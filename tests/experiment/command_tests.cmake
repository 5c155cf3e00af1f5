# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

torumina_qt_test(torumina_commands_test torumina_app TableResetTest.cpp)
