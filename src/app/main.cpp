// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ExperimentEngine.h"
#include "ProgramWindows.h"
#include "QtDialogs.h"
#include "QtProgramEnd.h"
#include "WavCuePlayer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QTranslator>

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
    // The file box, the standard buttons and Qt's own reasons for a failed
    // save speak Japanese like the rest of the window program, whatever the
    // locale; without the translations installed they stay English.
    QTranslator qtJapanese;
    if (qtJapanese.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtJapanese);
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
