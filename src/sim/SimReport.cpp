#include "SimReport.h"

#include "NumberFormat.h"

#include <charconv>
#include <cstddef>

namespace {

constexpr int kBandCount = 7;
constexpr int kBandWidth = 9;
constexpr int kCellWidth = 8;

// Shortest text that reads back to the same value, independent of the
// C locale (which QGuiApplication changes when a chart is drawn).
template<typename T>
std::string shortest(T value)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error; // 64 characters hold any float or double
    return {buffer, end};
}

std::string oneDecimal(double value)
{
    char buffer[64];
    const auto [end, error] =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    (void)error; // at most 10000.0 here
    return {buffer, end};
}

// Terminal columns of a UTF-8 text: the ideographic space, the fullwidth
// tilde and the kana and kanji of the captions take two.
int displayWidth(const std::string& text)
{
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            width += 1;
            i += 1;
        } else {
            width += lead >= 0xE1 ? 2 : 1; // U+1000 and above: wide in these captions
            i += lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        }
    }
    return width;
}

std::string padLeft(const std::string& text, int width)
{
    return std::string(static_cast<std::size_t>(std::max(0, width - displayWidth(text))), ' ')
            + text;
}

std::string padRight(const std::string& text, int width)
{
    return text
            + std::string(static_cast<std::size_t>(std::max(0, width - displayWidth(text))), ' ');
}

std::size_t slot(int classIdx)
{
    return static_cast<std::size_t>(classIdx);
}

double expectedCount(const SimRun& run, int classIdx)
{
    return run.trials * run.exact->classProbabilities[slot(classIdx)];
}

std::string tableRow(const std::string& title, int band, auto cellText)
{
    std::string line = title;
    for (int column = 1; column <= kBandWidth; ++column) {
        line += padLeft(cellText(kBandWidth * (band - 1) + column), kCellWidth);
    }
    return line + '\n';
}

std::string formatText(const SimRun& run)
{
    std::string out;
    for (int band = 1; band <= kBandCount; ++band) {
        if (band > 1)
            out += '\n';
        out += tableRow("不足枚数", band, [](int k) { return classCaption(k); });
        out += tableRow("度　　数", band, [&run](int k) {
            return std::to_string(run.result.frequencyCounts[slot(k)]);
        });
        if (run.exact) {
            out += tableRow("期待度数", band,
                            [&run](int k) { return oneDecimal(expectedCount(run, k)); });
        }
    }
    out += '\n';
    out += "お客人数 " + std::to_string(run.guests) + '\n';
    out += "実験回数 " + std::to_string(run.trials) + '\n';
    out += "不足枚数の平均 " + formatMean(run.result.meanLowestBalance) + '\n';

    if (run.exact) {
        constexpr int kTitleWidth = 22;
        out += '\n';
        out += "用意する５００円玉の枚数（その割合の夜に足りる数）\n";
        std::string header = padRight("", kTitleWidth);
        std::string simulated = padRight("  実験から", kTitleWidth);
        std::string theory = padRight("  理論上の分布から", kTitleWidth);
        for (int percent : kCoveragePercents) {
            header += padLeft(std::to_string(percent) + " %", kCellWidth);
            simulated += padLeft(std::to_string(simulatedCoins(run.result, run.trials, percent)),
                                 kCellWidth);
            theory +=
                    padLeft(std::to_string(run.exact->coinsToPrepare(percent / 100.0)), kCellWidth);
        }
        out += header + '\n' + simulated + '\n' + theory + '\n';
        out += "理論上の不足枚数の平均 " + shortest(run.exact->mean) + '\n';
        out += "理論上の不足枚数の分散 " + shortest(run.exact->variance) + '\n';
    }
    return out;
}

std::string formatCsv(const SimRun& run)
{
    std::string out =
            run.exact ? "class,label,count,probability,expected\n" : "class,label,count\n";
    for (int k = 1; k <= kClassCount; ++k) {
        out += std::to_string(k) + ',' + classCaption(k) + ','
                + std::to_string(run.result.frequencyCounts[slot(k)]);
        if (run.exact) {
            out += ',' + shortest(run.exact->classProbabilities[slot(k)]) + ','
                    + shortest(expectedCount(run, k));
        }
        out += '\n';
    }
    return out;
}

template<typename Cell>
std::string jsonArray(Cell cell)
{
    std::string out = "[";
    for (int k = 1; k <= kClassCount; ++k) {
        if (k > 1)
            out += ',';
        out += cell(k);
    }
    return out + ']';
}

template<typename Coins>
std::string jsonCoins(Coins coins)
{
    std::string out = "{";
    for (std::size_t i = 0; i < kCoveragePercents.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += '"' + std::to_string(kCoveragePercents[i])
                + "\": " + std::to_string(coins(kCoveragePercents[i]));
    }
    return out + '}';
}

std::string formatJson(const SimRun& run)
{
    std::string out = "{\n";
    out += "  \"guests\": " + std::to_string(run.guests) + ",\n";
    out += "  \"trials\": " + std::to_string(run.trials) + ",\n";
    out += "  \"seed\": " + (run.seed ? std::to_string(*run.seed) : std::string("null")) + ",\n";
    out += "  \"labels\": " + jsonArray([](int k) { return '"' + classCaption(k) + '"'; }) + ",\n";
    out += "  \"counts\": " + jsonArray([&run](int k) {
               return std::to_string(run.result.frequencyCounts[slot(k)]);
           })
            + ",\n";
    out += "  \"mean\": " + shortest(run.result.meanLowestBalance) + ",\n";
    out += "  \"coins\": " + jsonCoins([&run](int percent) {
               return simulatedCoins(run.result, run.trials, percent);
           });
    if (run.exact) {
        const ExactDistribution& exact = *run.exact;
        out += ",\n  \"exact\": {\n";
        out += "    \"probabilities\": "
                + jsonArray([&exact](int k) { return shortest(exact.classProbabilities[slot(k)]); })
                + ",\n";
        out += "    \"expected\": "
                + jsonArray([&run](int k) { return shortest(expectedCount(run, k)); }) + ",\n";
        out += "    \"mean\": " + shortest(exact.mean) + ",\n";
        out += "    \"variance\": " + shortest(exact.variance) + ",\n";
        out += "    \"coins\": "
                + jsonCoins([&exact](int percent) { return exact.coinsToPrepare(percent / 100.0); })
                + "\n";
        out += "  }";
    }
    return out + "\n}\n";
}

} // namespace

int simulatedCoins(const ExperimentResult& result, int trials, int percent)
{
    const auto count = [&result](int m) {
        return static_cast<long long>(
                result.lowestBalanceCounts[static_cast<std::size_t>(m + kMaxCustomers)]);
    };
    long long covered = count(1);
    for (int k = 0; k <= kMaxCustomers; ++k) {
        covered += count(-k);
        if (100 * covered >= static_cast<long long>(percent) * trials)
            return k;
    }
    return kMaxCustomers;
}

std::string formatReport(const SimRun& run, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Csv:
        return formatCsv(run);
    case OutputFormat::Json:
        return formatJson(run);
    case OutputFormat::Text:
        break;
    }
    return formatText(run);
}
