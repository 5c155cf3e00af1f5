// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ChartFile.h"

#include <QFile>

#include <cerrno>
#include <filesystem>

namespace {

// errno as the failing call left it, not QSaveFile's reason: that is in
// English whatever the locale unless Qt's translations are loaded, and
// says nothing of a full disk when a write merely stopped short.
ChartFileError notWritten()
{
    return {ChartFileError::Kind::NotWritten, errno};
}

} // namespace

QString fileFailureReason(int systemError)
{
    switch (systemError) {
    case 0:
        return ChartFile::tr("書き込めませんでした。");
    case EACCES:
    case EPERM:
        return ChartFile::tr("書き込む権限がありません。");
    case EROFS:
        return ChartFile::tr("読み取り専用の場所です。");
    case ENOSPC:
    case EDQUOT:
        return ChartFile::tr("ディスクがいっぱいです。");
    case ENOENT:
    case ENOTDIR:
        return ChartFile::tr("フォルダがありません。");
    case EBADF:
        return ChartFile::tr("出力が閉じています。");
    case ENAMETOOLONG:
        return ChartFile::tr("ファイル名が長すぎます。");
    case EFBIG:
        return ChartFile::tr("ファイルが大きすぎます。");
    case EIO:
        return ChartFile::tr("装置の読み書きに失敗しました。");
    default:
        return ChartFile::tr("書き込めませんでした（エラー番号 %1）。").arg(systemError);
    }
}

QString chartSaveFailure(const QString& path, const ChartFileError& error)
{
    QString reason;
    switch (error.kind) {
    case ChartFileError::Kind::NotARegularFile:
        reason = ChartFile::tr("通常のファイルではありません。");
        break;
    case ChartFileError::Kind::NotEncoded:
        reason = ChartFile::tr("PNG に変換できませんでした。");
        break;
    case ChartFileError::Kind::NotWritten:
        reason = fileFailureReason(error.systemError);
        break;
    }
    return ChartFile::tr("グラフを「%1」に保存できませんでした。\n%2").arg(path, reason);
}

std::optional<ChartFileError> ChartFile::open()
{
    // As root, a PNG would otherwise take the place of /dev/full.
    const std::filesystem::path path(QFile::encodeName(file_.fileName()).toStdString());
    std::error_code error;
    if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error))
        return ChartFileError{ChartFileError::Kind::NotARegularFile};
    // Unbuffered: commit() would not notice a failure of the last buffered bytes.
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return notWritten();
    return std::nullopt;
}

std::optional<ChartFileError> ChartFile::save(const DistributionChart& chart)
{
    if (!file_.isOpen()) {
        if (auto error = open())
            return error;
    }
    const QByteArray png = distributionChartPng(chart);
    // Left uncommitted, the temporary file goes with this object.
    if (png.isEmpty())
        return ChartFileError{ChartFileError::Kind::NotEncoded};
    // A write may stop short (a full disk, a file size limit) without a
    // reason; the next one gives it.
    errno = 0;
    qint64 written = 0;
    for (qint64 n = 0; written < png.size(); written += n) {
        if ((n = file_.write(png.constData() + written, png.size() - written)) <= 0)
            break;
    }
    if (written < png.size())
        return notWritten();
    errno = 0;
    if (!file_.commit())
        return notWritten();
    return std::nullopt;
}

std::optional<ChartFileError> saveDistributionChartPng(const QString& path,
                                                       const DistributionChart& chart)
{
    return ChartFile(path).save(chart);
}
