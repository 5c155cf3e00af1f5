// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "SimOptions.h"

#include <QCoreApplication>

#include <memory>
#include <string>

// The application object a run with these arguments needs: one to hold the
// translation, and when the run draws a chart, a QGuiApplication for the
// fonts, without a display unless QT_QPA_PLATFORM names one. The others
// get a QCoreApplication, which starts faster.
std::unique_ptr<QCoreApplication> startApplication(const SimArguments& args);

// The whole command: checks the arguments, runs the experiments and leaves what belongs on standard
// output and standard error in out and err. Returns the exit status: 0, 1 when the chart could not
// be written (an earlier file of that name is left as it was), 2 for an invalid option. --version
// prints the application name and version set on QCoreApplication. A chart needs the
// QGuiApplication of startApplication().
int runSim(const SimArguments& args, std::string& out, std::string& err);
