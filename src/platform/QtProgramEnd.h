// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ProgramEnd.h"

// Closes every window and leaves the event loop with exit status 0.
class QtProgramEnd final : public ProgramEnd
{
public:
    void end() override;
    bool ended() const override { return ended_; }

private:
    bool ended_ = false;
};
