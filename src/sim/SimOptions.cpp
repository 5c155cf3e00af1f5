// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "SimOptions.h"

#include "ExperimentEngine.h"

#include <QCommandLineParser>

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

UsageError usageError(const QString& japanese, const QString& english)
{
    return {QStringLiteral("torumina-sim: %1\ntorumina-sim: %2")
                    .arg(japanese, english)
                    .toStdString()};
}

UsageError valueError(const QCommandLineOption& option, const QString& value,
                      const QString& japanese, const QString& english)
{
    const QString name = QStringLiteral("--") + option.names().constFirst();
    return usageError(QStringLiteral("%1 には%2を指定してください（\"%3\" は使えません）")
                              .arg(name, japanese, value),
                      QStringLiteral("%1 expects %2, got \"%3\"").arg(name, english, value));
}

std::optional<UsageError> readInt(const QCommandLineParser& parser,
                                  const QCommandLineOption& option, int low, int high, int& out)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const QString value = parser.value(option);
    const auto parsed = parseStrictInteger<long long>(value.toStdString());
    if (!parsed || *parsed < low || *parsed > high) {
        return valueError(option, value, QStringLiteral(" %1〜%2 の整数").arg(low).arg(high),
                          QStringLiteral("an integer from %1 to %2").arg(low).arg(high));
    }
    out = static_cast<int>(*parsed);
    return std::nullopt;
}

std::optional<UsageError> readSeed(const QCommandLineParser& parser,
                                   const QCommandLineOption& option,
                                   std::optional<std::uint64_t>& out)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const QString value = parser.value(option);
    // from_chars on an unsigned type would take "-0"; the sign is refused here.
    const auto parsed = value.startsWith(u'-')
            ? std::nullopt
            : parseStrictInteger<std::uint64_t>(value.toStdString());
    if (!parsed) {
        const auto max = std::numeric_limits<std::uint64_t>::max();
        return valueError(option, value, QStringLiteral(" 0〜%1 の整数").arg(max),
                          QStringLiteral("an integer from 0 to %1").arg(max));
    }
    out = *parsed;
    return std::nullopt;
}

std::optional<UsageError> readFormat(const QCommandLineParser& parser,
                                     const QCommandLineOption& option, OutputFormat& out)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const QString value = parser.value(option);
    if (value == u"text") {
        out = OutputFormat::Text;
    } else if (value == u"csv") {
        out = OutputFormat::Csv;
    } else if (value == u"json") {
        out = OutputFormat::Json;
    } else {
        return valueError(option, value, QStringLiteral(" text・csv・json のどれか"),
                          QStringLiteral("text, csv or json"));
    }
    return std::nullopt;
}

// Qt reports a missing or unexpected value in English, with the option
// between single quotes.
UsageError parseError(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString option =
                QLatin1String(unknown.front().size() == 1 ? "-" : "--") + unknown.front();
        return usageError(
                QStringLiteral("%1 というオプションはありません（--help を参照）").arg(option),
                QStringLiteral("unknown option %1 (see --help)").arg(option));
    }
    const QString option = parser.errorText().section(u'\'', 1, 1);
    return usageError(QStringLiteral("%1 の値の書き方が違います（--help を参照）").arg(option),
                      parser.errorText() + QStringLiteral(" (see --help)"));
}

} // namespace

std::variant<SimOptions, UsageError> parseOptions(std::span<const char* const> args)
{
    const QCommandLineOption guests(QStringLiteral("guests"), QString(), QStringLiteral("N"));
    const QCommandLineOption trials(QStringLiteral("trials"), QString(), QStringLiteral("T"));
    const QCommandLineOption seed(QStringLiteral("seed"), QString(), QStringLiteral("S"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("F"));
    const QCommandLineOption chart(QStringLiteral("chart"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption exact(QStringLiteral("exact"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    QCommandLineParser parser;
    parser.addOptions({guests, trials, seed, format, chart, exact, help});
    const QCommandLineOption version = parser.addVersionOption();

    QStringList arguments{QStringLiteral("torumina-sim")};
    for (const char* arg : args)
        arguments << QString::fromLocal8Bit(arg);
    if (!parser.parse(arguments))
        return parseError(parser);

    SimOptions options;
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    if (options.help || options.version)
        return options;
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        return usageError(
                QStringLiteral("余分な引数 \"%1\" があります（--help を参照）").arg(extra.front()),
                QStringLiteral("unexpected argument \"%1\" (see --help)").arg(extra.front()));
    }
    options.exact = parser.isSet(exact);
    if (auto error = readInt(parser, guests, 1, kMaxCustomers, options.guests))
        return *error;
    if (auto error = readInt(parser, trials, 1, kMaxTrials, options.trials))
        return *error;
    if (auto error = readSeed(parser, seed, options.seed))
        return *error;
    if (auto error = readFormat(parser, format, options.format))
        return *error;
    if (parser.isSet(chart)) {
        if (parser.value(chart).isEmpty()) {
            return usageError(QStringLiteral("--chart にはファイル名を指定してください"),
                              QStringLiteral("--chart needs a file name"));
        }
        options.chartPath = parser.value(chart).toLocal8Bit().toStdString();
    }
    return options;
}

std::string usageText()
{
    return R"(使い方 / Usage:
  torumina-sim [--guests N] [--trials T] [--seed S] [--format text|csv|json]
               [--exact] [--chart FILE.png]
  torumina-sim --help | --version

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
  --seed S        乱数の種（0〜18446744073709551615）。同じ種と条件なら毎回同じ結果。
                  省略すると種を選び、結果といっしょに表示する
                  seed (0-18446744073709551615); the same seed and parameters
                  give the same output on every run. Without it a seed is
                  drawn at random and printed with the result.
  --format F      出力形式 text（既定、画面と同じ表）・csv・json
                  output format: text (default, the window's table), csv, json
  --exact         理論上の分布と、90・95・99 % の夜に足りる枚数を添える
                  add the exact distribution and the coins that suffice on
                  90, 95 and 99 % of evenings
  --chart FILE    不足枚数ごとの度数と理論上の期待度数の棒グラフを PNG で保存。
                  90・95・99 % の夜に足りた枚数に線を引く
                  save a PNG bar chart of the counts by lowest balance, with
                  the exact expected counts over it and lines at the coins
                  that sufficed on 90, 95 and 99 % of evenings
  -h, --help      この説明 / this text
  -v, --version   版 / the version

終了状態 / Exit status:
  0  成功。出力の読み手が途中でやめたとき（head に渡したときなど）も、
     何も言わずに 0 で終わる
     success, also when the reader of standard output stops early (as head
     does): the rest of the report is dropped without a message
  1  グラフを書けない（同じ名前の前のファイルはそのまま残る）
     the chart could not be written (an earlier file of that name is kept)
  2  オプションの誤り / invalid option
  3  標準出力に書けない（ディスクがいっぱい、出力が閉じているなど）
     standard output could not be written (a full disk, a closed output)
)";
}
