#include "SimApp.h"

#include "ExactDistribution.h"
#include "ExperimentEngine.h"
#include "RandomSource.h"
#include "SimChart.h"
#include "SimOptions.h"
#include "SimReport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <variant>

namespace {

struct FileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string chartError(const std::string& path, const std::string& reason)
{
    return "torumina-sim: cannot write the chart to \"" + path + "\": " + reason + '\n';
}

// A half-written PNG is removed, but never a device, a pipe or the target
// of a link: "--chart /dev/full" must not delete /dev/full.
void removeIfRegularFile(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error))) {
        std::filesystem::remove(path, error);
    }
}

ExperimentResult runExperiments(const SimOptions& options)
{
    if (options.seed) {
        // With a seed the run must not depend on the time of day.
        StillClock clock;
        RandomSource source(clock, *options.seed);
        return ExperimentEngine(source).run(options.guests, options.trials);
    }
    return ExperimentEngine(processRandomSource()).run(options.guests, options.trials);
}

} // namespace

int runSim(std::span<const char* const> args, std::string& out, std::string& err)
{
    const auto parsed = parseOptions(args);
    if (const auto* error = std::get_if<UsageError>(&parsed)) {
        err = error->message + '\n';
        return 2;
    }
    const SimOptions& options = std::get<SimOptions>(parsed);
    if (options.help) {
        out = usageText();
        return 0;
    }

    // Opened before the run so that a bad path costs no time and leaves
    // standard output empty.
    std::unique_ptr<std::FILE, FileCloser> chartFile;
    if (options.chartPath) {
        chartFile.reset(std::fopen(options.chartPath->c_str(), "wb"));
        if (!chartFile) {
            err = chartError(*options.chartPath, std::strerror(errno));
            return 1;
        }
    }

    SimRun run;
    run.guests = options.guests;
    run.trials = options.trials;
    run.seed = options.seed;
    run.result = runExperiments(options);
    if (options.exact)
        run.exact = exactDistribution(options.guests);

    if (chartFile) {
        std::string png;
        std::string reason;
        const ChartData data =
                chartData(run, run.exact ? *run.exact : exactDistribution(options.guests));
        bool written = renderChartPng(data, png, reason);
        if (written) {
            errno = 0;
            written = std::fwrite(png.data(), 1, png.size(), chartFile.get()) == png.size();
            written = std::fclose(chartFile.release()) == 0 && written;
            if (!written)
                reason = errno != 0 ? std::strerror(errno) : "write failed";
        }
        if (!written) {
            chartFile.reset();
            removeIfRegularFile(*options.chartPath);
            err = chartError(*options.chartPath, reason);
            return 1;
        }
    }

    out = formatReport(run, options.format);
    return 0;
}
