// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

// The built torumina-sim, started as a shell starts it.

#include <gmock/gmock.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// One for each test process: ctest runs the cases side by side.
std::string folder()
{
    return testing::TempDir() + "torumina-sim-program-" + std::to_string(getpid()) + "/";
}

std::string slurp(const std::string& name)
{
    return (std::ostringstream() << std::ifstream(folder() + name).rdbuf()).str();
}

struct Outcome
{
    int status = -1; // as a shell reports it: 128 + the signal that ended it, if one did
    std::string out;
    std::string err;
};

// An @ in an argument stands for folder(). Standard output and error go to files there, the
// messages in the C locale, unless setUp, run just before the program starts, says otherwise.
Outcome launch(
        std::vector<std::string> args, const std::function<void()>& setUp = [] {})
{
    std::vector<char*> argv{const_cast<char*>(TORUMINA_SIM_PATH)};
    for (std::string& arg : args) {
        if (const auto at = arg.find('@'); at != std::string::npos)
            arg.replace(at, 1, folder());
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const std::string out = folder() + "stdout", err = folder() + "stderr";
    if (fork() == 0) {
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        signal(SIGPIPE, SIG_DFL);
        for (const char* name : {"LANGUAGE", "LC_MESSAGES", "LANG"})
            unsetenv(name);
        setenv("LC_ALL", "C", 1);
        setUp();
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    wait(&status);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), slurp("stdout"),
            slurp("stderr")};
}

void toFullDisk()
{
    dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
}

void inEnglish()
{
    setenv("LC_ALL", "en_US.UTF-8", 1);
}

struct Case
{
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string said = {}; // on standard output or error
    void (*setUp)() = [] {};
    bool english = false;
};

class SimProgram : public testing::TestWithParam<Case>
{
protected:
    void SetUp() override
    {
        fs::permissions(folder() + "readonly", fs::perms::owner_all, ignored); // a failed run's
        fs::remove_all(folder());
        fs::create_directories(folder() + "readonly");
        ASSERT_EQ(mkfifo((folder() + "fifo").c_str(), 0600), 0);
        std::ofstream(folder() + "readonly/kept.png") << "earlier chart";
        fs::permissions(folder() + "readonly", fs::perms::owner_read | fs::perms::owner_exec);
    }
    void TearDown() override
    {
        fs::permissions(folder() + "readonly", fs::perms::owner_all, ignored);
        fs::remove_all(folder(), ignored);
    }

    std::error_code ignored;
};

} // namespace

TEST_P(SimProgram, ExitStatusTellsWhatHappened)
{
    if (GetParam().args.back() == "--chart=@readonly/kept.png" && geteuid() == 0)
        GTEST_SKIP() << "root writes into a read-only folder";
    const Outcome run = launch(GetParam().args, GetParam().setUp);
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_EQ(run.err.empty(), run.status == 0) << "a message exactly when it failed: " << run.err;
    EXPECT_THAT(run.out + run.err, testing::HasSubstr(GetParam().said));
    if (run.status != 0) {
        EXPECT_EQ(run.out, "") << "no report when it failed";
    }
    if (GetParam().english) {
        EXPECT_TRUE(std::ranges::all_of(run.out + run.err, [](char c) { return c > 0; }))
                << "English only";
    }
    EXPECT_EQ(slurp("readonly/kept.png"), "earlier chart");
}

INSTANTIATE_TEST_SUITE_P(
        Sim, SimProgram,
        testing::Values(
                Case{"Version", {"--version"}, 0, "torumina-sim " TORUMINA_VERSION "\n"},
                Case{"ChartSaved", {"--trials=10", "--chart=@chart.png"}, 0, "実験回数 10"},
                Case{"InvalidOption", {"--guests=0"}, 2, "--guests には 1〜1000 の整数を指定"},
                Case{"ChartInMissingFolder", {"--chart=@missing/chart.png"}, 1, "グラフを"},
                Case{"ChartIsAFolder", {"--chart=@readonly"}, 1},
                Case{"ChartIsAPipe", {"--chart=@fifo"}, 1},
                Case{"ChartInReadOnlyFolder", {"--chart=@readonly/kept.png"}, 1},
                Case{"FullDisk", {"--trials=1"}, 3, "標準出力に書けません", toFullDisk},
                Case{"ClosedOutput", {"--trials=1"}, 3, "", [] { close(STDOUT_FILENO); }},
                Case{"ReaderClosedThePipe",
                     {"--trials=1"},
                     0,
                     "",
                     [] {
                         int ends[2]; // torumina-sim | head, once head has read enough
                         if (pipe(ends) == 0 && close(ends[0]) == 0)
                             dup2(ends[1], STDOUT_FILENO);
                     }},
                Case{"EnglishHelp", {"--help"}, 0, "Usage:", inEnglish, true},
                Case{"EnglishByLang",
                     {"--guests=0"},
                     2,
                     "--guests expects an integer from 1 to 1000",
                     [] { setenv("LANG", "en_GB.UTF-8", 1), unsetenv("LC_ALL"); },
                     true},
                Case{"EnglishChartError",
                     {"--chart=@missing/chart.png"},
                     1,
                     "cannot write the chart",
                     inEnglish,
                     true},
                Case{"EnglishOutputError",
                     {"--trials=1"},
                     3,
                     "cannot write to standard output",
                     [] { inEnglish(), toFullDisk(); },
                     true},
                Case{"JapaneseInOtherLocales",
                     {"--exact=1"},
                     2,
                     "--exact には値を付けられません",
                     [] { setenv("LC_ALL", "de_DE.UTF-8", 1); }}),
        [](const auto& row) { return std::string(row.param.name); });
