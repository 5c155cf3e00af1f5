#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct CliOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs torumina-sim with the given arguments, its standard output and error
// sent to files so that neither can fill a pipe while the other is read.
inline CliOutcome runCli(const std::vector<std::string>& args) {
    auto tempFile = [] {
        std::string name = ::testing::TempDir() + "torumina-sim-XXXXXX";
        const int fd = mkstemp(name.data());
        close(fd);
        return name;
    };
    const std::string outPath = tempFile();
    const std::string errPath = tempFile();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_TRUNC, 0);
    std::vector<std::string> argvStore{TORUMINA_SIM_PATH};
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : argvStore) argv.push_back(arg.data());
    argv.push_back(nullptr);

    CliOutcome outcome;
    pid_t pid = 0;
    if (posix_spawn(&pid, TORUMINA_SIM_PATH, &actions, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        waitpid(pid, &wstatus, 0);
        outcome.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    }
    posix_spawn_file_actions_destroy(&actions);
    auto slurp = [](const std::string& path) {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        std::remove(path.c_str());
        return text.str();
    };
    outcome.out = slurp(outPath);
    outcome.err = slurp(errPath);
    return outcome;
}
