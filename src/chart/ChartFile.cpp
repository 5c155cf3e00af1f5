// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "ChartFile.h"

#include <QFile>

#include <filesystem>

namespace {

ChartFileError notWritten(const QSaveFile& file)
{
    return {ChartFileError::Kind::NotWritten, file.errorString()};
}

} // namespace

std::optional<ChartFileError> ChartFile::open()
{
    // As root, a PNG would otherwise take the place of /dev/full.
    const std::filesystem::path path(QFile::encodeName(file_.fileName()).toStdString());
    std::error_code error;
    if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error))
        return ChartFileError{ChartFileError::Kind::NotARegularFile, {}};
    // Unbuffered: commit() would not notice a failure of the last buffered bytes.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return notWritten(file_);
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
        return ChartFileError{ChartFileError::Kind::NotEncoded, {}};
    // A write may stop short (a full disk, a file size limit) without a
    // reason; the next one gives it.
    qint64 written = 0;
    for (qint64 n = 0; written < png.size(); written += n) {
        if ((n = file_.write(png.constData() + written, png.size() - written)) <= 0)
            break;
    }
    if (written < png.size() || !file_.commit())
        return notWritten(file_);
    return std::nullopt;
}

std::optional<ChartFileError> saveDistributionChartPng(const QString& path,
                                                       const DistributionChart& chart)
{
    return ChartFile(path).save(chart);
}
