// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>
#include <string>

// The whole command: reads the arguments after the program name, runs the
// experiments and leaves what belongs on standard output and standard
// error in out and err. Returns the exit status: 0, 1 when the chart could
// not be written (an earlier file of that name is left as it was), 2 for an
// invalid option. --version prints the application name and version set on
// QCoreApplication.
int runSim(std::span<const char* const> args, std::string& out, std::string& err);
