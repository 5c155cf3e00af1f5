// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "RunText.h"

#include "Coverage.h"

namespace {

// Spreadsheets read a leading zero and a point whatever their locale's
// habits for display; QString::number writes both, independent of locale.
QString meanCell(float mean)
{
    return QString::number(mean, 'f', 4);
}

QString caption(int k)
{
    return QString::fromStdString(classCaption(k));
}

QString parameters(int guests, int trials)
{
    return QStringLiteral("お客人数\t%1\n実験回数\t%2\n").arg(guests).arg(trials);
}

} // namespace

QString tableText(int guests, int trials, const std::optional<ExperimentResult>& run)
{
    QString text = parameters(guests, trials) + QStringLiteral("不足枚数の平均\t")
            + (run ? meanCell(run->meanLowestBalance) : QString())
            + QStringLiteral("\n\n不足枚数\t度数\n");
    for (int k = 1; k <= kClassCount; ++k)
        text += caption(k) + u'\t' + (run ? QString::number(run->countInClass(k)) : QString())
                + u'\n';
    return text;
}

QString theoryText(const ExperimentResult& run, const ExactDistribution& exact,
                   const CoverageRows& coverage)
{
    QString text = parameters(run.guests, run.trials) + QStringLiteral("不足枚数の平均\t")
            + meanCell(run.meanLowestBalance) + QStringLiteral("\n理論上の不足枚数の平均\t")
            + QString::number(exact.mean, 'f', 4)
            + QStringLiteral("\n用意する５００円玉の枚数（その割合の夜に足りる数）");
    QString inRun = QStringLiteral("実験から");
    QString inTheory = QStringLiteral("理論上の分布から");
    for (const CoverageRow& row : coverage) {
        text += QStringLiteral("\t%1 %").arg(row.percent);
        inRun += u'\t' + QString::number(row.inRun);
        inTheory += u'\t' + QString::number(row.inTheory);
    }
    text += u'\n' + inRun + u'\n' + inTheory + QStringLiteral("\n\n不足枚数\t度数\t期待度数\n");
    for (int k = 1; k <= kClassCount; ++k) {
        text += caption(k) + u'\t' + QString::number(run.countInClass(k)) + u'\t'
                + expectedCountText(expectedCount(run, exact, k)) + u'\n';
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

QString expectedCountText(double count)
{
    return QString::number(count, 'f', 1);
}
