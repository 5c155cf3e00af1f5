// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ExperimentEngine.h"
#include "ProgramWindows.h"
#include "QtDialogs.h"
#include "QtProgramEnd.h"
#include "WavCuePlayer.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("torumina"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TORUMINA_VERSION));
    // --version is read before the window system starts, so that it answers
    // where there is no display; Qt's own options are left to QApplication.
    QCommandLineParser parser;
    parser.addVersionOption();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    QApplication app(argc, argv);
    // Wayland compositors find the launcher, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TORUMINA_APP_ID));
    // The help command closes the main window before the help window opens;
    // the program ends only through its own commands.
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    QtProgramEnd programEnd;
    ExperimentEngine engine(processRandomSource());
    ProgramWindows windows(dialogs, programEnd, engine,
                           [] { return std::make_unique<WavCuePlayer>(); });
    windows.showMainWindow();
    return QApplication::exec();
}
