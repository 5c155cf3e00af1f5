// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "SimOptions.h"

#include "ExperimentEngine.h"
#include "SimMessages.h"

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

UsageError usageError(const QString& message)
{
    return {(QStringLiteral("torumina-sim: ") + message).toStdString()};
}

UsageError valueError(const QCommandLineOption& option, const QString& value,
                      const QString& expected)
{
    return usageError(
            SimMessages::tr("%1 には%2を指定してください（\"%3\" は使えません）")
                    .arg(QStringLiteral("--") + option.names().constFirst(), expected, value));
}

std::optional<UsageError> readInt(const QCommandLineParser& parser,
                                  const QCommandLineOption& option, int low, int high, int& out)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const QString value = parser.value(option);
    const auto parsed = parseStrictInteger<long long>(value.toStdString());
    if (!parsed || *parsed < low || *parsed > high) {
        return valueError(option, value, SimMessages::tr(" %1〜%2 の整数").arg(low).arg(high));
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
        return valueError(option, value, SimMessages::tr(" %1〜%2 の整数").arg(0).arg(max));
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
        return valueError(option, value, SimMessages::tr(" text・csv・json のどれか"));
    }
    return std::nullopt;
}

// Qt reports a missing or unexpected value in English only, with the
// option between single quotes.
UsageError parseError(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString option =
                QLatin1String(unknown.front().size() == 1 ? "-" : "--") + unknown.front();
        return usageError(
                SimMessages::tr("%1 というオプションはありません（--help を参照）").arg(option));
    }
    const QString option = parser.errorText().section(u'\'', 1, 1);
    if (parser.errorText().startsWith(QLatin1String("Missing value")))
        return usageError(SimMessages::tr("%1 には値が要ります（--help を参照）").arg(option));
    return usageError(SimMessages::tr("%1 には値を付けられません（--help を参照）").arg(option));
}

} // namespace

struct SimArguments::Parser
{
    const QCommandLineOption guests{QStringLiteral("guests"), QString(), QStringLiteral("N")};
    const QCommandLineOption trials{QStringLiteral("trials"), QString(), QStringLiteral("T")};
    const QCommandLineOption seed{QStringLiteral("seed"), QString(), QStringLiteral("S")};
    const QCommandLineOption format{QStringLiteral("format"), QString(), QStringLiteral("F")};
    const QCommandLineOption chart{QStringLiteral("chart"), QString(), QStringLiteral("FILE")};
    const QCommandLineOption exact{QStringLiteral("exact")};
    const QCommandLineOption evening{QStringLiteral("evening")};
    const QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineParser parser;
    const QCommandLineOption version = parser.addVersionOption();
    bool parsed = false;
};

SimArguments::SimArguments(std::span<const char* const> args) : parser_(std::make_unique<Parser>())
{
    Parser& p = *parser_;
    p.parser.addOptions(
            {p.guests, p.trials, p.seed, p.format, p.chart, p.exact, p.evening, p.help});
    QStringList arguments{QStringLiteral("torumina-sim")};
    for (const char* arg : args)
        arguments << QString::fromLocal8Bit(arg);
    p.parsed = p.parser.parse(arguments);
}

SimArguments::~SimArguments() = default;

bool SimArguments::asksForChart() const
{
    const Parser& p = *parser_;
    return p.parsed && p.parser.isSet(p.chart) && !p.parser.isSet(p.help)
            && !p.parser.isSet(p.version);
}

std::variant<SimOptions, UsageError> SimArguments::options() const
{
    const auto& [guests, trials, seed, format, chart, exact, evening, help, parser, version,
                 parsed] = *parser_;
    if (!parsed)
        return parseError(parser);

    SimOptions options;
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    if (options.help || options.version)
        return options;
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        return usageError(SimMessages::tr("余分な引数 \"%1\" があります（--help を参照）")
                                  .arg(extra.front()));
    }
    options.exact = parser.isSet(exact);
    if (auto error = readInt(parser, guests, kMinGuests, kMaxGuests, options.guests))
        return *error;
    if (auto error = readInt(parser, trials, kMinTrials, kMaxTrials, options.trials))
        return *error;
    if (auto error = readSeed(parser, seed, options.seed))
        return *error;
    if (auto error = readFormat(parser, format, options.format))
        return *error;
    if (parser.isSet(chart)) {
        if (parser.value(chart).isEmpty()) {
            return usageError(SimMessages::tr("--chart にはファイル名を指定してください"));
        }
        options.chartPath = parser.value(chart).toLocal8Bit().toStdString();
    }
    // An evening has no run to count, compare or chart, and no JSON: an
    // option for those would be silently ignored.
    options.evening = parser.isSet(evening);
    QStringList refused;
    for (const QCommandLineOption* runOption : {&trials, &exact, &chart})
        if (parser.isSet(*runOption))
            refused << runOption->names().constFirst();
    if (options.format == OutputFormat::Json)
        refused << QStringLiteral("format json");
    if (options.evening && !refused.isEmpty())
        return usageError(
                SimMessages::tr("--evening と --%1 は一緒に使えません").arg(refused.front()));
    return options;
}

// Option names, placeholders and commands read the same in every language;
// only the texts beside them are translated. A text's lines are broken by
// hand, since kana and kanji take two columns of a terminal.
std::string usageText()
{
    const auto column = [](const QString& text, int indent) {
        return QString(text).replace(u'\n', u'\n' + QString(indent, u' ')) + u'\n';
    };
    const auto option = [&](const char* name, const QString& text) {
        return QStringLiteral("  %1").arg(QLatin1String(name), -16) + column(text, 18);
    };
    const auto status = [&](int code, const QString& text) {
        return QStringLiteral("  %1  ").arg(code) + column(text, 5);
    };
    const QString text =
            SimMessages::tr("使い方:") + QStringLiteral(R"(
  torumina-sim [--guests N] [--trials T] [--seed S] [--format text|csv|json]
               [--exact] [--chart FILE.png]
  torumina-sim --evening [--guests N] [--seed S] [--format text|csv]
  torumina-sim --help | --version

)")
            + SimMessages::tr(
                    "受付で会費を集める幹事が、お釣り用の５００円玉を何枚用意すればよいかを、\n"
                    "窓を開かずに実験します。各実験ではお客の人数だけ硬貨を投げ、５００円玉の\n"
                    "残りがいちばん少なくなった値（不足枚数）を数えます。メッセージは英語の\n"
                    "ロケール（LANG=en_US.UTF-8 など）では英語、ほかでは日本語で出ます。")
            + QStringLiteral("\n\n")
            + option("--guests N",
                     SimMessages::tr("お客人数（%1〜%2、既定 %3）")
                             .arg(kMinGuests)
                             .arg(kMaxGuests)
                             .arg(SimOptions().guests))
            + option("--trials T",
                     SimMessages::tr("実験回数（%1〜%2、既定 %3）")
                             .arg(kMinTrials)
                             .arg(kMaxTrials)
                             .arg(SimOptions().trials))
            + option("--seed S",
                     SimMessages::tr("乱数の種（%1〜%2）。同じ種と条件なら\n"
                                     "毎回同じ結果。省略すると種を選び、結果といっしょに表示する")
                             .arg(0)
                             .arg(std::numeric_limits<std::uint64_t>::max()))
            + option("--format F",
                     SimMessages::tr("出力形式 text（既定、画面と同じ表）・csv・json"))
            + option("--exact",
                     SimMessages::tr("理論上の分布と、90・95・99 % の夜に足りる枚数を添える"))
            + option("--chart FILE",
                     SimMessages::tr("不足枚数ごとの度数と理論上の期待度数の棒グラフを PNG で\n"
                                     "保存。90・95・99 % の夜に足りた枚数に線を引く"))
            + option("--evening",
                     SimMessages::tr("一晩だけを、お客ひとりずつ表示する（硬貨の表裏、払い方、\n"
                                     "手元の５００円玉、これまでの最低）。最後に最低の枚数と、\n"
                                     "用意すれば足りた枚数。同じ種なら --trials 1 の実験と同じ夜"))
            + option("-h, --help", SimMessages::tr("この説明"))
            + option("-v, --version", SimMessages::tr("版")) + u'\n' + SimMessages::tr("終了状態:")
            + u'\n'
            + status(0,
                     SimMessages::tr(
                             "成功。出力の読み手が途中でやめたとき（head に渡したときなど）も、\n"
                             "何も言わずに 0 で終わる"))
            + status(1, SimMessages::tr("グラフを書けない（同じ名前の前のファイルはそのまま残る）"))
            + status(2, SimMessages::tr("オプションの誤り"))
            + status(3,
                     SimMessages::tr(
                             "標準出力に書けない（ディスクがいっぱい、出力が閉じているなど）"));
    return text.toStdString();
}
