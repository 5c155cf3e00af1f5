# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT

torumina_qt_test(torumina_dialogs_test torumina_platform QtDialogsTest.cpp WindowPlacementTest.cpp)
