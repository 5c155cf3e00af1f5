// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "SimApp.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>

// Exit status when the report could not be written to standard output (a
// full disk, a closed descriptor); 1 and 2 belong to runSim.
constexpr int kOutputNotWritten = 3;

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("torumina-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TORUMINA_VERSION));
    std::string out;
    std::string err;
    int status = runSim(std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)),
                        out, err);
    errno = 0;
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        const std::string reason = errno != 0 ? std::strerror(errno) : "write failed";
        err += "torumina-sim: 標準出力に書けません: " + reason
                + "\ntorumina-sim: cannot write to standard output: " + reason + '\n';
        status = kOutputNotWritten;
    }
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}
