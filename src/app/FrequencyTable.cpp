// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "FrequencyTable.h"

#include "CellLabel.h"
#include "Layout.h"

namespace {

constexpr int kBandCount = 7;
constexpr int kColumnCount = 9;

// Where the table stands in the window, in twips: the top-left corner of
// its first title cell.
constexpr int kLeft = 240;
constexpr int kTop = 600;

// The designer's numbers of each band's labels, which screenshots and
// accessibility tools know them by: the header row's and the count row's
// title cells, and the first of the nine header cells (the other eight
// follow in number).
struct BandLabels
{
    int headerTitle;
    int countTitle;
    int firstHeader;
};
constexpr std::array<BandLabels, kBandCount> kBandLabels{{
        {5, 6, 7},
        {16, 17, 28},
        {18, 19, 37},
        {20, 21, 46},
        {22, 23, 55},
        {24, 25, 64},
        {26, 27, 73},
}};

QString labelName(int number)
{
    return QStringLiteral("Label%1").arg(number);
}

// A cell of the window's layout, placed in the table.
QRect place(int left, int top, int width, int height)
{
    return twips(left - kLeft, top - kTop, width, height);
}

QString countDescription(int k)
{
    if (k == 1)
        return QStringLiteral("不足枚数 -58 以下の度数");
    if (k == kClassCount)
        return QStringLiteral("不足枚数 4 以上の度数");
    return QStringLiteral("不足枚数 %1 の度数").arg(k - 59);
}

} // namespace

FrequencyTable::FrequencyTable(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frequencyTable"));
    // From the first title cell to the last count cell's far border.
    setGeometry(twips(kLeft, kTop, 1560 + 720 * (kColumnCount - 1) + 735 - kLeft,
                      840 * (kBandCount - 1) + 360 + 375));

    const CellLook caption{layoutFont(19), std::nullopt};
    // The two open classes at the ends have no font of their own.
    const CellLook openClass{std::nullopt, std::nullopt};
    const CellLook count{layoutFont(19), kWhite};
    for (int band = 0; band < kBandCount; ++band) {
        const int headerTop = kTop + 840 * band;
        const int countTop = headerTop + 360;
        const BandLabels& names = kBandLabels[static_cast<std::size_t>(band)];
        makeCellLabel(this, labelName(names.headerTitle), place(kLeft, headerTop, 1335, 375),
                      QStringLiteral("不足枚数"), caption);
        makeCellLabel(this, labelName(names.countTitle), place(kLeft, countTop, 1335, 375),
                      QStringLiteral("度　　数"), caption);
        for (int column = 0; column < kColumnCount; ++column) {
            const int k = kColumnCount * band + column + 1;
            const int left = 1560 + 720 * column;
            const bool open = k == 1 || k == kClassCount;
            makeCellLabel(this, labelName(names.firstHeader + column),
                          place(left, headerTop, 735, 375), QString::fromStdString(classCaption(k)),
                          open ? openClass : caption);
            QLabel* cell = makeCellLabel(this, QStringLiteral("dosu(%1)").arg(k),
                                         place(left, countTop, 735, 375), QString(), count);
            cell->setAccessibleDescription(countDescription(k));
            frequencyCells_[static_cast<std::size_t>(k - 1)] = cell;
        }
    }
}

void FrequencyTable::showCounts(const ExperimentResult& result)
{
    for (int k = 1; k <= kClassCount; ++k)
        frequencyCells_[static_cast<std::size_t>(k - 1)]->setNum(
                result.frequencyCounts[static_cast<std::size_t>(k)]);
}

void FrequencyTable::clear()
{
    for (QLabel* cell : frequencyCells_)
        cell->clear();
}
