// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

class QMetaObject;

// A top-level QWidget reports itself to screen readers as a client area
// ("filler"), not as a window; widgets of this class report a window with
// their title instead.
void reportAsWindow(const QMetaObject& windowClass);
