#include "SimOptions.h"

#include "ExperimentEngine.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace {

// Only plain decimal digits with an optional leading minus: "+5", " 5",
// "5.0" and "0x10" are refused, so a typo never runs a different experiment.
template<typename T>
std::optional<T> parseStrictInteger(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

UsageError rangeError(std::string_view option, std::string_view value, std::string_view range)
{
    return {"torumina-sim: " + std::string(option) + " expects an integer from "
            + std::string(range) + ", got \"" + std::string(value) + "\""};
}

std::optional<UsageError> readInt(std::string_view option, std::string_view value, int low,
                                  int high, int& out)
{
    const auto parsed = parseStrictInteger<long long>(value);
    if (!parsed || *parsed < low || *parsed > high) {
        return rangeError(option, value, std::to_string(low) + " to " + std::to_string(high));
    }
    out = static_cast<int>(*parsed);
    return std::nullopt;
}

std::optional<UsageError> readSeed(std::string_view option, std::string_view value,
                                   std::optional<std::uint64_t>& out)
{
    // from_chars on an unsigned type would take "-0"; the sign is refused here.
    const auto parsed =
            value.starts_with('-') ? std::nullopt : parseStrictInteger<std::uint64_t>(value);
    if (!parsed) {
        return rangeError(option, value,
                          "0 to " + std::to_string(std::numeric_limits<std::uint64_t>::max()));
    }
    out = *parsed;
    return std::nullopt;
}

std::optional<UsageError> readFormat(std::string_view option, std::string_view value,
                                     OutputFormat& out)
{
    if (value == "text") {
        out = OutputFormat::Text;
    } else if (value == "csv") {
        out = OutputFormat::Csv;
    } else if (value == "json") {
        out = OutputFormat::Json;
    } else {
        return UsageError{"torumina-sim: " + std::string(option)
                          + " expects text, csv or json, got \"" + std::string(value) + "\""};
    }
    return std::nullopt;
}

} // namespace

std::variant<SimOptions, UsageError> parseOptions(std::span<const char* const> args)
{
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg == "--exact") {
            options.exact = true;
            continue;
        }

        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const bool takesValue = name == "--guests" || name == "--trials" || name == "--seed"
                || name == "--format" || name == "--chart";
        if (!takesValue) {
            return UsageError{"torumina-sim: unknown argument \"" + std::string(arg)
                              + "\" (see --help)"};
        }
        if (!value) {
            if (i + 1 == args.size()) {
                return UsageError{"torumina-sim: " + std::string(name)
                                  + " needs a value (see --help)"};
            }
            value = args[++i];
        }

        std::optional<UsageError> error;
        if (name == "--guests") {
            error = readInt(name, *value, 1, kMaxCustomers, options.guests);
        } else if (name == "--trials") {
            error = readInt(name, *value, 1, kMaxTrials, options.trials);
        } else if (name == "--seed") {
            error = readSeed(name, *value, options.seed);
        } else if (name == "--format") {
            error = readFormat(name, *value, options.format);
        } else if (value->empty()) {
            error = UsageError{"torumina-sim: --chart needs a file name"};
        } else {
            options.chartPath = std::string(*value);
        }
        if (error)
            return *error;
    }
    return options;
}

std::string usageText()
{
    return R"(使い方 / Usage:
  torumina-sim [--guests N] [--trials T] [--seed S] [--format text|csv|json]
               [--exact] [--chart FILE.png]

受付で会費を集める幹事が、お釣り用の５００円玉を何枚用意すればよいかを、
窓を開かずに実験します。各実験ではお客の人数だけ硬貨を投げ、５００円玉の
残りがいちばん少なくなった値（不足枚数）を数えます。
Runs the coin-toss experiment of the window without a window: each experiment
tosses one fair coin per guest and records the lowest number of 500-yen coins
the organiser held (the shortage count); a run counts how often each occurred.

  --guests N      お客人数（1〜1000、既定 100）
                  guests per experiment (1-1000, default 100)
  --trials T      実験回数（1〜10000、既定 1000）
                  number of experiments (1-10000, default 1000)
  --seed S        乱数の種（0〜18446744073709551615）。同じ種と条件なら毎回同じ結果
                  seed (0-18446744073709551615); the same seed and parameters
                  give the same output on every run. Without it the generator
                  is reseeded from the clock.
  --format F      出力形式 text（既定、画面と同じ表）・csv・json
                  output format: text (default, the window's table), csv, json
  --exact         理論上の分布と、90・95・99 % の夜に足りる枚数を添える
                  add the exact distribution and the coins that suffice on
                  90, 95 and 99 % of evenings
  --chart FILE    不足枚数ごとの度数と理論上の期待度数の棒グラフを PNG で保存
                  save a PNG bar chart of the counts by lowest balance, with
                  the exact expected counts over it
  --help          この説明 / this text

終了状態 / Exit status: 0 成功 success, 1 グラフを書けない chart not written,
2 オプションの誤り invalid option.
)";
}
