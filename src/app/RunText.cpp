// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "RunText.h"

#include "Coverage.h"
#include "NumberFormat.h"
#include "ReportWords.h"

#include <QStringList>

namespace {

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

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
    return line({utf8(kGuestsCaption), QString::number(guests)})
            + line({utf8(kTrialsCaption), QString::number(trials)});
}

} // namespace

QString tableText(int guests, int trials, const std::optional<ExperimentResult>& run)
{
    QString text = parameters(guests, trials)
            + line({utf8(kMeanCaption),
                    run ? utf8(formatMeanFigure(run->meanLowestBalance)) : QString()})
            + u'\n' + line({utf8(kShortfallCaption), utf8(kCountCaption)});
    for (int k = 1; k <= kClassCount; ++k)
        text += line(
                {utf8(classCaption(k)), run ? QString::number(run->countInClass(k)) : QString()});
    return text;
}

QString theoryText(const ExperimentResult& run, const ExactDistribution& exact,
                   const CoverageRows& coverage)
{
    QStringList coins{utf8(kCoinsCaption)};
    QStringList inRun{utf8(kFromRunCaption)};
    QStringList inTheory{utf8(kFromTheoryCaption)};
    for (const CoverageRow& row : coverage) {
        coins << utf8(formatPercent(row.percent));
        inRun << QString::number(row.inRun);
        inTheory << QString::number(row.inTheory);
    }
    QString text = parameters(run.guests, run.trials)
            + line({utf8(kMeanCaption), utf8(formatMeanFigure(run.meanLowestBalance))})
            + line({utf8(kTheoryMeanCaption), utf8(formatMeanFigure(exact.mean))}) + line(coins)
            + line(inRun) + line(inTheory) + u'\n'
            + line({utf8(kShortfallCaption), utf8(kCountCaption), utf8(kExpectedCountCaption)});
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
