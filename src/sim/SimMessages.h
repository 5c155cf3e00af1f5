// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QCoreApplication>

// The messages of torumina-sim are written in Japanese, which every locale
// but an English one shows; SimMessages::tr() looks a message up in the
// translation main() installed for the locale.
struct SimMessages
{
    Q_DECLARE_TR_FUNCTIONS(SimMessages)
};
