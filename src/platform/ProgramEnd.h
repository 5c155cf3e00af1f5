// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

// Ends the program at once: every window closes and no further handler runs.
// Handlers that ask for it return straight away afterwards.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    virtual void end() = 0;
    virtual bool ended() const = 0;
};
