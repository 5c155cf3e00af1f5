// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#pragma once

#include "ChartPlan.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

// The size torumina-sim saves the chart at.
inline constexpr QSize kDistributionChartSize(1000, 600);

// Paints the chart on a white ground filling area, and nothing outside it;
// the painter is left as it was. The bars are the counts, a line over them
// the expected counts, dashed lines the coins that sufficed. A window's
// paintEvent draws with it what the PNG shows. Text needs fonts, and so a
// QGuiApplication.
void paintDistributionChart(QPainter& painter, const QRectF& area, const DistributionChart& chart);

// The chart as an image of that size, and as the bytes of a PNG file (none
// if encoding failed). Encoded in memory, so that a caller writing the file
// reports a failed write with the system's reason rather than the encoder's.
QImage distributionChartImage(const DistributionChart& chart, QSize size = kDistributionChartSize);
QByteArray distributionChartPng(const DistributionChart& chart,
                                QSize size = kDistributionChartSize);
