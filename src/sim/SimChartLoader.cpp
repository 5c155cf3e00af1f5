#include "SimChart.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

std::vector<std::filesystem::path> moduleCandidates() {
    std::error_code ignored;
    const std::filesystem::path exeDir = std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
    // In the build tree the module sits beside the executable; installed, it
    // sits in the library folder, found relative to the executable so that
    // a relocated prefix still works.
    return {exeDir / TORUMINA_SIM_CHART_MODULE,
            exeDir / TORUMINA_SIM_CHART_INSTALL_DIR / TORUMINA_SIM_CHART_MODULE};
}

} // namespace

ChartData chartData(const SimRun& run, const ExactDistribution& exact) {
    ChartData data;
    data.guests = run.guests;
    data.trials = run.trials;
    data.counts = run.result.lowestBalanceCounts;
    data.lowest = -exact.coinsToPrepare(0.999);
    for (int m = -run.guests; m <= 1; ++m) {
        const auto i = static_cast<std::size_t>(m + kMaxCustomers);
        data.expected[i] = run.trials * exact.probability(m);
        if (data.counts[i] > 0) data.lowest = std::min(data.lowest, m);
    }
    return data;
}

bool renderChartPng(const ChartData& data, std::string& png, std::string& error) {
    void* module = nullptr;
    std::string failures;
    for (const auto& candidate : moduleCandidates()) {
        // Never closed: Qt does not expect to be unloaded.
        module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module != nullptr) break;
        failures += failures.empty() ? "" : "; ";
        failures += dlerror();
    }
    if (module == nullptr) {
        error = "the chart module could not be loaded (" + failures + ")";
        return false;
    }
    const auto render = reinterpret_cast<RenderChartFunction>(dlsym(module, kRenderChartSymbol));
    if (render == nullptr) {
        error = "the chart module has no " + std::string(kRenderChartSymbol);
        return false;
    }
    return render(data, png, error);
}
