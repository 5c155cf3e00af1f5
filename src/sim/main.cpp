// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ChartFile.h"
#include "SimApp.h"
#include "SimMessages.h"

#include <QLocale>
#include <QTranslator>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <span>
#include <string>
#include <unistd.h>

// Exit status when the report could not be written to standard output (a
// full disk, a closed descriptor); 1 and 2 belong to runSim.
constexpr int kOutputNotWritten = 3;

int main(int argc, char** argv)
{
    // A reader that has read enough (torumina-sim | head) closes the pipe;
    // that is its choice, not a failure here. The write then fails with
    // EPIPE instead of killing the program by SIGPIPE, whose status 141 a
    // script would have to know, and the program ends quietly.
    std::signal(SIGPIPE, SIG_IGN);
    // Asked before Qt starts: the first file Qt opens takes a closed
    // standard output's number, and the report would go into that file.
    const bool outputClosed = fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF;
    const SimArguments args(
            std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
    const auto app = startApplication(args);
    QCoreApplication::setApplicationName(QStringLiteral("torumina-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TORUMINA_VERSION));
    // English for an English locale (LC_ALL, LC_MESSAGES, LANG, in that
    // order); every other, C and POSIX among them, keeps the Japanese the
    // messages are written in.
    QTranslator english;
    if (QLocale::system().language() == QLocale::English
        && english.load(QStringLiteral(":/i18n/torumina-sim_en.qm")))
        QCoreApplication::installTranslator(&english);

    std::string out;
    std::string err;
    int status = runSim(args, out, err);
    errno = 0;
    const bool written = out.empty()
            || (!outputClosed && std::fwrite(out.data(), 1, out.size(), stdout) == out.size()
                && std::fflush(stdout) == 0);
    const int failure = outputClosed ? EBADF : errno;
    if (!written && failure != EPIPE) {
        err += (QStringLiteral("torumina-sim: ")
                + SimMessages::tr("標準出力に書けません: %1").arg(fileFailureReason(failure))
                + u'\n')
                       .toStdString();
        status = kOutputNotWritten;
    }
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
