// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "RunText.h"

#include "NumberFormat.h"
#include "ReportWords.h"

#include <vector>

namespace {

// A row of cells for a spreadsheet.
std::string line(const std::vector<std::string>& cells)
{
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i)
        text += (i == 0 ? "" : "\t") + cells[i];
    return text + '\n';
}

std::string parameters(int guests, int trials)
{
    return line({kGuestsCaption, std::to_string(guests)})
            + line({kTrialsCaption, std::to_string(trials)});
}

} // namespace

std::string tableText(int guests, int trials, const std::optional<ExperimentResult>& run)
{
    std::string text = parameters(guests, trials)
            + line({kMeanCaption, run ? formatMeanFigure(run->meanLowestBalance) : ""}) + '\n'
            + line({kShortfallCaption, kCountCaption});
    for (int k = 1; k <= kClassCount; ++k)
        text += line({classCaption(k), run ? std::to_string(run->countInClass(k)) : ""});
    return text;
}

std::string theoryText(const ExperimentResult& run, const ExactDistribution& exact,
                       const CoverageRows& coverage)
{
    std::vector<std::string> coins{kCoinsCaption};
    std::vector<std::string> inRun{kFromRunCaption};
    std::vector<std::string> inTheory{kFromTheoryCaption};
    for (const CoverageRow& row : coverage) {
        coins.push_back(formatPercent(row.percent));
        inRun.push_back(std::to_string(row.inRun));
        inTheory.push_back(std::to_string(row.inTheory));
    }
    std::string text = parameters(run.guests, run.trials)
            + line({kMeanCaption, formatMeanFigure(run.meanLowestBalance)})
            + line({kTheoryMeanCaption, formatMeanFigure(exact.mean)}) + line(coins) + line(inRun)
            + line(inTheory) + '\n'
            + line({kShortfallCaption, kCountCaption, kExpectedCountCaption});
    for (int k = 1; k <= kClassCount; ++k) {
        text += line({classCaption(k), std::to_string(run.countInClass(k)),
                      formatExpectedCount(expectedCount(run, exact, k))});
    }
    return text;
}

std::string theoryQuestion(const ExperimentResult& run)
{
    return "５００円玉を何枚用意すればよいか（お客人数 " + std::to_string(run.guests)
            + " 人・実験回数 " + std::to_string(run.trials) + " 回）";
}

std::string coverageAnswer(const CoverageRow& row)
{
    return "この実験では " + std::to_string(row.percent) + " % の夜に " + std::to_string(row.inRun)
            + " 枚で足りました（理論では " + std::to_string(row.inTheory) + " 枚）";
}

std::string meansText(const ExperimentResult& run, const ExactDistribution& exact)
{
    return "不足枚数の平均　この実験 " + formatMean(run.meanLowestBalance) + "　理論 "
            + formatFixed(exact.mean, 2);
}
