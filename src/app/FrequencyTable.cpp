// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "FrequencyTable.h"

#include "CellLabel.h"
#include "EveningChart.h"
#include "FrequencyTableAccessible.h"
#include "ReportWords.h"
#include "TwipLayout.h"

#include <QAccessible>
#include <QFrame>
#include <QKeyEvent>

namespace {

// Where the table stands in the window, in twips: the top-left corner of
// its first title cell.
constexpr int kLeft = 240;
constexpr int kTop = 600;

// The numbers in the object names of each band's labels (Label5 …), which
// screenshots and accessibility tools know them by: the header row's and the count row's
// title cells, and the first of the nine header cells (the other eight
// follow in number).
struct BandLabels
{
    int headerTitle;
    int countTitle;
    int firstHeader;
};
constexpr std::array<BandLabels, kTableRows> kBandLabels{{
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

} // namespace

FrequencyTable::FrequencyTable(const TwipLayout& layout, QWidget* parent) : QWidget(parent)
{
    installFrequencyTableAccessibility();
    setObjectName(QStringLiteral("frequencyTable"));
    setAccessibleName(QStringLiteral("度数分布表"));
    setFocusPolicy(Qt::StrongFocus);
    // From the first title cell to the last count cell's far border.
    const int width = 1560 + 720 * (kTableColumns - 1) + 735 - kLeft;
    const int height = 840 * (kTableRows - 1) + 360 + 375;
    setGeometry(layout.rect(kLeft, kTop, width, height));
    // A cell of the window's layout, placed in the table.
    const QPoint origin = layout.rect(kLeft, kTop, 0, 0).topLeft();
    const auto place = [&](int left, int top, int w, int h) {
        return layout.rect(left, top, w, h).translated(-origin);
    };

    const CellLook caption{layout.font(19), std::nullopt};
    // The two open classes at the ends have no font of their own.
    const CellLook openClass{std::nullopt, std::nullopt};
    const CellLook count{layout.font(19), kWhite};
    for (int band = 0; band < kTableRows; ++band) {
        const int headerTop = kTop + 840 * band;
        const int countTop = headerTop + 360;
        const BandLabels& names = kBandLabels[static_cast<std::size_t>(band)];
        makeCellLabel(this, labelName(names.headerTitle), place(kLeft, headerTop, 1335, 375),
                      QString::fromUtf8(kShortfallCaption), caption);
        makeCellLabel(this, labelName(names.countTitle), place(kLeft, countTop, 1335, 375),
                      QString::fromUtf8(kCountRowCaption), caption);
        for (int column = 0; column < kTableColumns; ++column) {
            const int k = kTableColumns * band + column + 1;
            const int left = 1560 + 720 * column;
            const bool open = k == 1 || k == kClassCount;
            const auto i = static_cast<std::size_t>(k - 1);
            captionCells_[i] = makeCellLabel(
                    this, labelName(names.firstHeader + column), place(left, headerTop, 735, 375),
                    QString::fromStdString(classCaption(k)), open ? openClass : caption);
            countCells_[i] = makeCellLabel(this, QStringLiteral("dosu(%1)").arg(k),
                                           place(left, countTop, 735, 375), QString(), count);
        }
    }

    // Drawn over the cells, inside the marked cell's border: the focus in
    // the theme's highlight colour, which stands out on the white cells, over
    // an evening's class in a wider red, which stays there beside the focus.
    landedMark_ = makeMark(QStringLiteral("landedMark"), 4, lowestPointColour(kWhite));
    focusMark_ = makeMark(QStringLiteral("focusMark"), 2, palette().color(QPalette::Highlight));
}

QFrame* FrequencyTable::makeMark(const QString& name, int width, const QColor& colour)
{
    auto* mark = new QFrame(this);
    mark->setObjectName(name);
    mark->setFrameShape(QFrame::Box);
    mark->setLineWidth(width);
    QPalette look = mark->palette();
    look.setColor(QPalette::WindowText, colour);
    mark->setPalette(look);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->hide();
    return mark;
}

void FrequencyTable::showCounts(const ExperimentResult& result)
{
    for (int k = 1; k <= kClassCount; ++k)
        countCell(k)->setNum(result.countInClass(k));
}

void FrequencyTable::clear()
{
    for (QLabel* cell : countCells_)
        cell->clear();
    markLanded(0);
}

void FrequencyTable::markLanded(int k)
{
    const int before = landed_;
    landed_ = k;
    // A screen reader hears of the cell selected now, and of the one no longer.
    QAccessible::State selection;
    selection.selected = true;
    for (const int changed : {before, k}) {
        if (changed == 0 || before == k)
            continue;
        QAccessibleStateChangeEvent event(countCell(changed), selection);
        QAccessible::updateAccessibility(&event);
    }
    landedMark_->setVisible(k != 0);
    if (k == 0)
        return;
    landedMark_->setGeometry(countCell(k)->geometry());
    landedMark_->raise();
    focusMark_->raise();
    current_ = k;
    if (hasFocus())
        moveTo(k);
}

void FrequencyTable::keyPressEvent(QKeyEvent* event)
{
    const int column = (current_ - 1) % kTableColumns;
    switch (event->key()) {
    case Qt::Key_Left:
        moveTo(column > 0 ? current_ - 1 : current_);
        break;
    case Qt::Key_Right:
        moveTo(column < kTableColumns - 1 ? current_ + 1 : current_);
        break;
    case Qt::Key_Up:
        moveTo(current_ > kTableColumns ? current_ - kTableColumns : current_);
        break;
    case Qt::Key_Down:
        moveTo(current_ <= kClassCount - kTableColumns ? current_ + kTableColumns : current_);
        break;
    case Qt::Key_Home:
        moveTo(current_ - column);
        break;
    case Qt::Key_End:
        moveTo(current_ - column + kTableColumns - 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // A table shows; pressing it must do nothing, also not for a parent.
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void FrequencyTable::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    moveTo(current_);
}

void FrequencyTable::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    focusMark_->hide();
}

void FrequencyTable::moveTo(int k)
{
    current_ = k;
    focusMark_->setGeometry(countCell(k)->geometry());
    focusMark_->raise();
    focusMark_->show();
    // A screen reader follows the marked cell as it follows a table's
    // current cell.
    QAccessibleEvent moved(this, QAccessible::Focus);
    moved.setChild(k - 1);
    QAccessible::updateAccessibility(&moved);
}
