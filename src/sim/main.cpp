// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "SimApp.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>

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
    QCoreApplication::setApplicationName(QStringLiteral("torumina-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TORUMINA_VERSION));
    std::string out;
    std::string err;
    int status = runSim(std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)),
                        out, err);
    errno = 0;
    if ((std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        && errno != EPIPE) {
        const std::string reason = errno != 0 ? std::strerror(errno) : "write failed";
        err += "torumina-sim: 標準出力に書けません: " + reason
                + "\ntorumina-sim: cannot write to standard output: " + reason + '\n';
        status = kOutputNotWritten;
    }
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
