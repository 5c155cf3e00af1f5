// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "RunText.h"

#include "Coverage.h"
#include "NumberFormat.h"

#include <QStringList>

namespace {

QString utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// A row of cells for a spreadsheet.
QString line(const QStringList& cells)
{
    return cells.join(u'\t') + u'\n';
}

QString parameters(int guests, int trials)
{
    return line({QStringLiteral("お客人数"), QString::number(guests)})
            + line({QStringLiteral("実験回数"), QString::number(trials)});
}

} // namespace

QString tableText(int guests, int trials, const std::optional<ExperimentResult>& run)
{
    QString text = parameters(guests, trials)
            + line({QStringLiteral("不足枚数の平均"),
                    run ? utf8(formatMeanFigure(run->meanLowestBalance)) : QString()})
            + u'\n' + line({QStringLiteral("不足枚数"), QStringLiteral("度数")});
    for (int k = 1; k <= kClassCount; ++k)
        text += line(
                {utf8(classCaption(k)), run ? QString::number(run->countInClass(k)) : QString()});
    return text;
}

QString theoryText(const ExperimentResult& run, const ExactDistribution& exact,
                   const CoverageRows& coverage)
{
    QStringList coins{QStringLiteral("用意する５００円玉の枚数（その割合の夜に足りる数）")};
    QStringList inRun{QStringLiteral("実験から")};
    QStringList inTheory{QStringLiteral("理論上の分布から")};
    for (const CoverageRow& row : coverage) {
        coins << utf8(formatPercent(row.percent));
        inRun << QString::number(row.inRun);
        inTheory << QString::number(row.inTheory);
    }
    QString text = parameters(run.guests, run.trials)
            + line({QStringLiteral("不足枚数の平均"),
                    utf8(formatMeanFigure(run.meanLowestBalance))})
            + line({QStringLiteral("理論上の不足枚数の平均"), utf8(formatMeanFigure(exact.mean))})
            + line(coins) + line(inRun) + line(inTheory) + u'\n'
            + line({QStringLiteral("不足枚数"), QStringLiteral("度数"),
                    QStringLiteral("期待度数")});
    for (int k = 1; k <= kClassCount; ++k) {
        text += line({utf8(classCaption(k)), QString::number(run.countInClass(k)),
                      utf8(formatExpectedCount(expectedCount(run, exact, k)))});
    }
    return text;
}

QString coverageAnswer(const CoverageRow& row)
{
    return QStringLiteral("この実験では %1 % の夜に %2 枚で足りました（理論では %3 枚）")
            .arg(row.percent)
            .arg(row.inRun)
            .arg(row.inTheory);
}
