#include "SimApp.h"

#include <QCoreApplication>

#include <cstdio>
#include <span>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("torumina-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TORUMINA_VERSION));
    std::string out;
    std::string err;
    const int status = runSim(
            std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)), out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return std::fflush(stdout) == 0 ? status : 1;
}
