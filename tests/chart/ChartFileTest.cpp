// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ChartFile.h"
#include "ExactDistribution.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

TEST(ChartFile, TheCommonCausesOfAFailedSaveAreSaidInJapanese)
{
    const std::pair<int, const char*> rows[] = {
            {EACCES, "書き込む権限がありません"}, {EPERM, "書き込む権限がありません"},
            {EROFS, "読み取り専用の場所です"},    {ENOSPC, "ディスクがいっぱいです"},
            {EDQUOT, "ディスクがいっぱいです"},   {ENOENT, "フォルダがありません"},
            {ENOTDIR, "フォルダがありません"},    {EBADF, "出力が閉じています"},
            {EIO, "the system's words"},          {0, "the system's words"},
    };
    for (const auto& [code, said] : rows)
        EXPECT_EQ(fileFailureReason(code, "the system's words").toStdString(), said)
                << std::strerror(code);
}

// The reason comes from the failing call itself, not from whatever ran after it.
TEST(ChartFile, AChartInAMissingFolderSaysTheFolderIsMissing)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath("missing/chart.png");
    const auto error = saveDistributionChartPng(
            path, distributionChart(5, 20, ExperimentResult{}, exactDistribution(5)));
    ASSERT_TRUE(error);
    EXPECT_EQ(chartSaveFailure(path, *error).toStdString(),
              ("グラフを「" + path + "」に保存できませんでした。\nフォルダがありません")
                      .toStdString());
}
