// SPDX-FileCopyrightText: トルミナの実験２ developers
// SPDX-License-Identifier: MIT

#include "FrequencyTableAccessible.h"

#include "FrequencyTable.h"
#include "ReportWords.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

using Table = FrequencyTable;

QAccessibleInterface* accessibleOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// Which class a count cell holds; 0 for any other label. Read from its
// name, which it has before anything can ask for its interface.
int classOf(const QObject* cell)
{
    const QString name = cell->objectName();
    if (!name.startsWith(u"dosu(") || !name.endsWith(u')'))
        return 0;
    return name.mid(5, name.size() - 6).toInt();
}

class CountCellAccessible final : public QAccessibleWidget, public QAccessibleTableCellInterface
{
public:
    CountCellAccessible(QLabel* cell, Table* table, int k)
        : QAccessibleWidget(cell, QAccessible::Cell), table_(table), k_(k)
    {
    }

    // The count, read as the caption over it would have it read: "-7, 12".
    QString text(QAccessible::Text t) const override
    {
        const auto* cell = static_cast<const QLabel*>(object());
        if (t == QAccessible::Name)
            return cell->text();
        if (t == QAccessible::Description)
            return QString::fromUtf8(kShortfallCaption) + u' ' + table_->captionCell(k_)->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        s.focused = table_->hasFocus() && table_->currentClass() == k_;
        // The class an evening landed in, which a screen reader reads as selected.
        s.selectable = true;
        s.selected = isSelected();
        return s;
    }
    QAccessibleInterface* parent() const override { return accessibleOf(table_); }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    bool isSelected() const override { return table_->landedClass() == k_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        return {accessibleOf(table_->captionCell(k_))};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return (k_ - 1) % kTableColumns; }
    int rowIndex() const override { return (k_ - 1) / kTableColumns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return accessibleOf(table_); }

private:
    Table* table_;
    int k_;
};

// The captions and titles are the cells' headers, not cells: the table's
// children are the 63 counts alone.
class TableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TableAccessible(Table* table) : QAccessibleWidget(table, QAccessible::Table) { }

    int childCount() const override { return kClassCount; }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < kClassCount ? accessibleOf(table().countCell(index + 1))
                                                 : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? classOf(child->object()) - 1 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int k = 1; k <= kClassCount; ++k) {
            QAccessibleInterface* cell = accessibleOf(table().countCell(k));
            if (cell->rect().contains(x, y))
                return cell;
        }
        return nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || row >= kTableRows || column < 0 || column >= kTableColumns)
            return nullptr;
        return accessibleOf(table().countCell(row * kTableColumns + column + 1));
    }
    int selectedCellCount() const override { return table().landedClass() != 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        const int k = table().landedClass();
        return k != 0 ? QList{accessibleOf(table().countCell(k))} : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kTableColumns; }
    int rowCount() const override { return kTableRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { }

private:
    const Table& table() const { return *static_cast<const Table*>(object()); }
};

QAccessibleInterface* frequencyTableFactory(const QString&, QObject* object)
{
    if (auto* table = qobject_cast<Table*>(object))
        return new TableAccessible(table);
    auto* cell = qobject_cast<QLabel*>(object);
    auto* table = cell ? qobject_cast<Table*>(cell->parent()) : nullptr;
    if (const int k = table ? classOf(cell) : 0)
        return new CountCellAccessible(cell, table, k);
    return nullptr;
}

} // namespace

void installFrequencyTableAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(frequencyTableFactory);
        return true;
    }();
    (void)installed;
}
