// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "SimReport.h"

#include "NumberFormat.h"
#include "ReportWords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cstddef>
#include <string>

namespace {

constexpr int kCellWidth = 8;
constexpr char kCoinsSufficedCaption[] = "足りた５００円玉の枚数";

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

std::string tableRow(const std::string& title, int band, auto cellText)
{
    std::string line = title;
    for (int column = 1; column <= kTableColumns; ++column) {
        line += padLeft(cellText(kTableColumns * (band - 1) + column), kCellWidth);
    }
    return line + '\n';
}

// A caption and its figure on a line of their own, apart by a space in text
// and by a comma in CSV.
std::string line(const char* caption, char separator, const std::string& figure)
{
    return caption + std::string(1, separator) + figure + '\n';
}

std::string header(const SimRun& run, char separator)
{
    return line(kGuestsCaption, separator, std::to_string(run.result.guests))
            + line(kTrialsCaption, separator, std::to_string(run.result.trials))
            + line(kSeedCaption, separator, std::to_string(run.seed)) + '\n';
}

std::string formatText(const SimRun& run)
{
    std::string out = header(run, ' ');
    for (int band = 1; band <= kTableRows; ++band) {
        if (band > 1)
            out += '\n';
        out += tableRow(kShortfallCaption, band, [](int k) { return classCaption(k); });
        out += tableRow(kCountRowCaption, band,
                        [&run](int k) { return std::to_string(run.result.countInClass(k)); });
        if (run.exact) {
            out += tableRow(kExpectedCountCaption, band, [&run](int k) {
                return formatExpectedCount(expectedCount(run.result, *run.exact, k));
            });
        }
    }
    out += '\n';
    out += line(kMeanCaption, ' ', formatMean(run.result.meanLowestBalance));

    if (run.exact) {
        constexpr int kTitleWidth = 22;
        out += '\n';
        out += kCoinsCaption + std::string("\n");
        std::string header = padRight("", kTitleWidth);
        std::string simulated = padRight(std::string("  ") + kFromRunCaption, kTitleWidth);
        std::string theory = padRight(std::string("  ") + kFromTheoryCaption, kTitleWidth);
        for (const CoverageRow& row : run.coverage) {
            header += padLeft(formatPercent(row.percent), kCellWidth);
            simulated += padLeft(std::to_string(row.inRun), kCellWidth);
            theory += padLeft(std::to_string(row.inTheory), kCellWidth);
        }
        out += header + '\n' + simulated + '\n' + theory + '\n';
        out += line(kTheoryMeanCaption, ' ', formatMeanFigure(run.exact->mean));
        out += line(kTheoryVarianceCaption, ' ', formatMeanFigure(run.exact->variance));
    }
    return out;
}

// The answer comes before the table, so that a worksheet needs no JSON:
// the mean, the theory's mean and variance to 4 decimals as the text gives
// the theory's, and the coins. Probabilities to 5 decimals, so that trials
// times the probability gives the expected count to its 1 decimal even at
// 10000 trials.
std::string formatCsv(const SimRun& run)
{
    std::string out = "\xEF\xBB\xBF" + header(run, ',');
    out.pop_back(); // the blank line goes after the answer
    out += line(kMeanCaption, ',', formatMeanFigure(run.result.meanLowestBalance));
    if (run.exact) {
        out += line(kTheoryMeanCaption, ',', formatMeanFigure(run.exact->mean));
        out += line(kTheoryVarianceCaption, ',', formatMeanFigure(run.exact->variance));
    }
    out += kCoinsCaption;
    std::string simulated = kFromRunCaption;
    std::string theory = kFromTheoryCaption;
    for (const CoverageRow& row : run.coverage) {
        out += ',' + formatPercent(row.percent);
        simulated += ',' + std::to_string(row.inRun);
        theory += ',' + std::to_string(row.inTheory);
    }
    out += '\n' + simulated + '\n' + (run.exact ? theory + '\n' : std::string()) + '\n';
    out += run.exact ? "class,label,count,probability,expected\n" : "class,label,count\n";
    for (int k = 1; k <= kClassCount; ++k) {
        out += std::to_string(k) + ',' + classCaption(k) + ','
                + std::to_string(run.result.countInClass(k));
        if (run.exact) {
            out += ',' + formatFixed(run.exact->classProbability(k), 5) + ','
                    + formatExpectedCount(expectedCount(run.result, *run.exact, k));
        }
        out += '\n';
    }
    return out;
}

QJsonArray classArray(auto cell)
{
    QJsonArray array;
    for (int k = 1; k <= kClassCount; ++k)
        array.append(cell(k));
    return array;
}

QJsonObject coinsObject(const CoverageRows& coverage, int CoverageRow::*coins)
{
    QJsonObject object;
    for (const CoverageRow& row : coverage)
        object.insert(QString::number(row.percent), row.*coins);
    return object;
}

// The double nearest to the float's shortest decimal text: the mean reads
// -2.3333333 as the float means it, not -2.3333332538604736.
double decimalOf(float value)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    double decimal = 0.0;
    std::from_chars(buffer, end, decimal);
    (void)error; // 64 characters hold any float
    return decimal;
}

std::string formatJson(const SimRun& run)
{
    QJsonObject json{
            {"guests", run.result.guests},
            {"trials", run.result.trials},
            {"seed", QString::number(run.seed)},
            {"labels", classArray([](int k) { return QString::fromStdString(classCaption(k)); })},
            {"counts", classArray([&run](int k) { return run.result.countInClass(k); })},
            {"mean", decimalOf(run.result.meanLowestBalance)},
            {"coins", coinsObject(run.coverage, &CoverageRow::inRun)}};
    if (run.exact) {
        const ExactDistribution& exact = *run.exact;
        json.insert("exact",
                    QJsonObject{{"probabilities",
                                 classArray([&exact](int k) { return exact.classProbability(k); })},
                                {"expected", classArray([&run, &exact](int k) {
                                     return expectedCount(run.result, exact, k);
                                 })},
                                {"mean", exact.mean},
                                {"variance", exact.variance},
                                {"coins", coinsObject(run.coverage, &CoverageRow::inTheory)}});
    }
    return QJsonDocument(json).toJson().toStdString();
}

} // namespace

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

std::string formatEvening(const Evening& evening, OutputFormat format)
{
    const std::string lowest = std::to_string(evening.lowestBalance());
    const std::string tableClass = classCaption(evening.tableClass());
    const std::string coins = std::to_string(evening.coinsNeeded());
    const std::string guests = std::to_string(evening.steps.size());
    const std::string seed = std::to_string(evening.seed);
    std::string out;
    if (format == OutputFormat::Csv) {
        out = "\xEF\xBB\xBF" + line(kGuestsCaption, ',', guests) + line(kSeedCaption, ',', seed)
                + "\nguest,toss,payment,stock,lowest\n";
        int guest = 0;
        for (const GuestStep& step : evening.steps) {
            out += std::to_string(++guest) + ',' + tossText(step.payment) + ','
                    + paymentText(step.payment) + ',' + std::to_string(step.stock) + ','
                    + std::to_string(step.lowestSoFar) + '\n';
        }
        return out + '\n' + line(kShortfallCaption, ',', lowest) + line("表の欄", ',', tableClass)
                + line(kCoinsSufficedCaption, ',', coins);
    }
    constexpr int kPaymentWidth = 36;
    constexpr int kStockWidth = 18;
    constexpr int kLowestWidth = 16;
    out = line(kGuestsCaption, ' ', guests) + line(kSeedCaption, ' ', seed) + '\n'
            + padRight("お客", 6) + padRight("表裏", 6) + padRight("支払い", kPaymentWidth)
            + padLeft("手元の５００円玉", kStockWidth) + padLeft("これまでの最低", kLowestWidth)
            + '\n';
    int guest = 0;
    for (const GuestStep& step : evening.steps) {
        out += padLeft(std::to_string(++guest), 4) + "  " + padRight(tossText(step.payment), 6)
                + padRight(paymentText(step.payment), kPaymentWidth)
                + padLeft(std::to_string(step.stock), kStockWidth)
                + padLeft(std::to_string(step.lowestSoFar), kLowestWidth) + '\n';
    }
    return out + '\n' + line(kShortfallCaption, ' ', lowest + "（表の「" + tableClass + "」の欄）")
            + line(kCoinsSufficedCaption, ' ', coins);
}
